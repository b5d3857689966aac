#include "sheet/sheet_set.hpp"

#include <functional>

#include "drawings/section_footing/bar_arrangement_view.hpp"
#include "drawings/section_footing/footing_plan.hpp"
#include "drawings/section_footing/section_view.hpp"
#include "drawings/sheet_set/title_block.hpp"
#include "drawings/wall/wall_elevations.hpp"
#include "output/entity_extent.hpp"
#include "output/block_recording.hpp"
#include "schedule/schedule_drawings.hpp"

namespace lwall {

namespace {

enum : std::size_t { elevations, arrangement, plan, section, view_count };

void draw_first_frame_views(RunContext& ctx, const std::function<void(std::size_t)>& next_view) {
    next_view(elevations);
    draw_wall_elevations(ctx);
    next_view(arrangement);
    draw_bar_arrangement_view(ctx);  // with the borders of frames 1 and 2: never moved
    next_view(plan);
    draw_footing_plan(ctx);
    next_view(section);
    draw_section_view(ctx);
}

// Where each view of frame 1 drawn at `at` goes.
std::vector<ViewMove> first_frame_moves(const RunContext& ctx, const std::vector<Extent>& at) {
    // The elevations and the plan run along the wall, left end to the left and downward; the layout
    // makes their room as if the reference point stood in the middle of the wall.
    const double even = ctx.input.length_left - ctx.layout.wall_length / 2;
    const FirstFrameView movable[] = {{at[elevations], even, 0}, {at[plan], 0, even}, {at[section], 0, 0}};
    return mend_first_frame(movable, frame_at(1, 0, ctx.layout.scale));
}

// Where each view lies, measured as it passes.
class ViewExtents final : public EntitySink {
public:
    std::vector<Extent> at = std::vector<Extent>(view_count);
    std::size_t view = 0;

    void line(const LineEntity& e) override { at[view].cover(extent_of(e)); }
    void text(const TextEntity& e) override { at[view].cover(extent_of(e)); }
    void circle(const CircleEntity& e) override { at[view].cover(extent_of(e)); }
};

}  // namespace

void draw_first_frame(RunContext& ctx) {
    Canvas& cv = ctx.canvas;
    if (ctx.first_frame_on_trial) {
        ViewExtents measure;
        cv.entities.add(measure);
        struct Remove {
            Canvas& cv;
            const EntitySink& sink;
            ~Remove() { cv.entities.remove(sink); }
        } remove{cv, measure};
        draw_first_frame_views(ctx, [&](std::size_t v) { measure.view = v; });
        ctx.view_moves = first_frame_moves(ctx, measure.at);
        for (const ViewMove& m : ctx.view_moves) {
            if (m.dx != 0 || m.dy != 0) throw FirstFrameMoves{};
        }
        return;
    }

    BlockRecording views;
    cv.recording = &views;
    try {
        draw_first_frame_views(ctx, [&](std::size_t) { views.open_block(BlockRole::drawing); });
    } catch (...) {
        cv.recording = nullptr;
        const std::vector<double> none(static_cast<std::size_t>(views.block_count()));
        views.replay(cv.entities, cv.scr_out, none, none);
        throw;
    }
    cv.recording = nullptr;

    ctx.view_moves = first_frame_moves(ctx, views.extents());
    std::vector<double> dx(view_count), dy(view_count);
    std::size_t k = 0;
    for (const std::size_t v : {elevations, plan, section}) {
        dx[v] = ctx.view_moves[k].dx;
        dy[v] = ctx.view_moves[k].dy;
        ++k;
    }
    views.replay(cv.entities, cv.scr_out, dx, dy);
}

void draw_sheet_set(RunContext& ctx) {
    Canvas& cv = ctx.canvas;
    const SheetLayout& sheet = ctx.layout;
    BlockRecording blocks;
    {
        // Recorded while drawn, also when the drawing stops.
        struct Stop {
            Canvas& cv;
            ~Stop() { cv.recording = nullptr; }
        } stop{cv};
        cv.recording = &blocks;
        draw_schedule_sheet(ctx);
    }

    // The title of the bending drawings and the drawings in drawing order, then the tables.
    const std::vector<Extent> extents = blocks.extents();
    std::vector<int> order;
    for (const bool tables : {false, true}) {
        for (int b = 0; b < blocks.block_count(); ++b) {
            if ((blocks.role(b) == BlockRole::table) == tables) order.push_back(b);
        }
    }
    std::vector<BlockToPlace> to_place;
    for (const int b : order) to_place.push_back({blocks.role(b), extents[static_cast<std::size_t>(b)]});
    const BlockPlacement placement = place_blocks(to_place, frame_at(2, sheet.sheet_width + kFrameGap, sheet.scale));

    const auto n = static_cast<std::size_t>(blocks.block_count());
    std::vector<double> dx(n), dy(n);
    ctx.blocks.assign(n, {});
    for (std::size_t k = 0; k < order.size(); ++k) {
        const auto b = static_cast<std::size_t>(order[k]);
        dx[b] = placement.dx[k];
        dy[b] = placement.dy[k];
        ctx.blocks[b] = {blocks.role(order[k]), dx[b], dy[b], placement.placed[k], placement.frame[k]};
    }
    ctx.frames = {frame_at(1, 0, sheet.scale)};
    ctx.frames.insert(ctx.frames.end(), placement.frames.begin(), placement.frames.end());
    // What each frame holds names its drawing: frame 1 the views, the others their blocks.
    ctx.frames.front().holds |= kHoldsViews;
    for (const PlacedBlock& b : ctx.blocks) {
        if (b.frame < 1 || b.frame > static_cast<int>(ctx.frames.size())) continue;
        ctx.frames[static_cast<std::size_t>(b.frame - 1)].holds |= b.role == BlockRole::table ? kHoldsTables
                                                                                             : kHoldsBendingDrawings;
    }
    for (const SheetFrame& f : ctx.frames) {
        if (f.scale != sheet.scale) ctx.picture.set_frame_scale(f.x, f.x + f.width, f.scale);
    }
    blocks.replay(cv.entities, cv.scr_out, dx, dy);

    const int count = static_cast<int>(ctx.frames.size());
    for (const SheetFrame& f : ctx.frames) {
        if (f.number > 2) draw_frame_border(ctx, f);
        draw_title_block(ctx, f, count);
    }
}

}  // namespace lwall
