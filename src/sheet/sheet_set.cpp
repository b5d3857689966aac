#include "sheet/sheet_set.hpp"

#include <functional>

#include "drawings/section_footing/bar_arrangement_view.hpp"
#include "drawings/section_footing/footing_plan.hpp"
#include "drawings/section_footing/section_view.hpp"
#include "drawings/sheet_set/title_block.hpp"
#include "drawings/wall/wall_elevations.hpp"
#include "output/block_recording.hpp"
#include "output/overlap_pass.hpp"
#include "output/streamed_blocks.hpp"
#include "schedule/schedule_drawings.hpp"

namespace lwall {

namespace {

enum : std::size_t { elevations, arrangement, plan, section, view_count };

// The layers of the frames' title blocks, whose texts and lines never move.
constexpr std::string_view kFixedLayers = "D-TTL-";

void draw_first_frame_views(RunContext& ctx, const std::function<void(std::size_t)>& next_view) {
    next_view(elevations);
    draw_wall_elevations(ctx);
    next_view(arrangement);
    draw_bar_arrangement_view(ctx);
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

// Recorded while drawn; when the drawing stops, what was drawn is written where it was drawn.
class Recorded {
public:
    explicit Recorded(Canvas& cv) : cv_(cv) { cv_.recording = &rec; }
    ~Recorded() { cv_.recording = nullptr; }
    Recorded(const Recorded&) = delete;
    Recorded& operator=(const Recorded&) = delete;

    void write_unmoved() {
        cv_.recording = nullptr;
        const std::vector<double> none(static_cast<std::size_t>(rec.block_count()));
        rec.replay(cv_.entities, cv_.scr_out, none, none);
    }

    BlockRecording rec;

private:
    Canvas& cv_;
};

Extent moved_extent(Extent e, double dx, double dy) {
    if (e.empty) return e;
    e.x0 += dx, e.x1 += dx, e.y0 += dy, e.y1 += dy;
    return e;
}

}  // namespace

void draw_sheet_frames(RunContext& ctx) {
    Canvas& cv = ctx.canvas;
    const SheetLayout& sheet = ctx.layout;
    const SheetFrame frame1 = frame_at(1, 0, sheet.scale);

    // 1. Frame 1: the views, each moved whole where it would cross the border, reach into the title
    //    block or lie over another view. Where only the drawing file and the script take the sheet,
    //    the views go straight into the drawing file and may not move whole.
    const bool streamed = ctx.read_back_after_views != nullptr;
    Recorded views(cv);
    StreamedBlocks streamed_views(cv.dxf_out, kFixedLayers);
    if (streamed) {
        cv.recording = nullptr;
        cv.entities.add(streamed_views);
        draw_first_frame_views(ctx, [&](std::size_t) { streamed_views.open_block(); });
        cv.entities.remove(streamed_views);
    } else {
        try {
            draw_first_frame_views(ctx, [&](std::size_t) { views.rec.open_block(BlockRole::drawing); });
        } catch (...) {
            views.write_unmoved();
            throw;
        }
    }
    const std::vector<Extent> drawn_at = streamed ? streamed_views.extents() : views.rec.extents();
    ctx.view_moves = first_frame_moves(ctx, drawn_at);
    if (streamed) {
        for (const ViewMove& m : ctx.view_moves) {
            if (m.dx != 0 || m.dy != 0) throw ViewsMustMove{};
        }
    }
    std::vector<double> vx(view_count), vy(view_count);
    std::size_t k = 0;
    for (const std::size_t v : {elevations, plan, section}) {
        vx[v] = ctx.view_moves[k].dx;
        vy[v] = ctx.view_moves[k].dy;
        ++k;
    }
    std::vector<Extent> view_extents;
    for (std::size_t v = 0; v < view_count; ++v) view_extents.push_back(moved_extent(drawn_at[v], vx[v], vy[v]));

    // 2. The final step, drawn into blocks: the room frame 1's views leave first, then frame 2 and the
    //    frames after it.
    Recorded blocks(cv);
    try {
        draw_schedule_sheet(ctx);
    } catch (...) {
        if (!streamed) views.write_unmoved();
        blocks.write_unmoved();
        throw;
    }
    const std::vector<Extent> extents = blocks.rec.extents();
    std::vector<int> order;  // the title of the bending drawings and the drawings in drawing order, then the tables
    for (const bool tables : {false, true}) {
        for (int b = 0; b < blocks.rec.block_count(); ++b) {
            if ((blocks.rec.role(b) == BlockRole::table) == tables) order.push_back(b);
        }
    }
    std::vector<BlockToPlace> to_place;
    for (const int b : order) to_place.push_back({blocks.rec.role(b), extents[static_cast<std::size_t>(b)]});
    const BlockPlacement placement =
        place_blocks(to_place, frame_at(2, sheet.sheet_width + kFrameGap, sheet.scale), &frame1, view_extents);
    const auto n = static_cast<std::size_t>(blocks.rec.block_count());
    std::vector<double> bx(n), by(n);
    ctx.blocks.assign(n, {});
    for (std::size_t i = 0; i < order.size(); ++i) {
        const auto b = static_cast<std::size_t>(order[i]);
        bx[b] = placement.dx[i];
        by[b] = placement.dy[i];
        ctx.blocks[b] = {blocks.rec.role(order[i]), bx[b], by[b], placement.placed[i], placement.frame[i]};
    }
    ctx.frames = {frame1};
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

    // 3. Nothing over anything: what collides moves clear, with its leaders.
    std::vector<SheetItem> items;
    if (streamed) streamed_views.add_items(items);
    else views.rec.add_items(items, vx, vy, kFixedLayers);
    const std::size_t first_block_item = items.size();
    blocks.rec.add_items(items, bx, by, kFixedLayers);
    const OverlapOutcome cleared = clear_overlaps(items, ctx.frames);
    const std::span<const ItemMove> all(cleared.moves);
    const std::span<const ItemMove> view_item_moves = all.empty() ? all : all.first(first_block_item);
    if (!all.empty()) blocks.rec.set_item_moves(all.subspan(first_block_item));

    // 4. Everything written in drawing order, then the borders and the title blocks of the frames.
    cv.recording = nullptr;
    if (streamed) {
        if (!streamed_views.place(cv.dxf_out, view_item_moves, *ctx.read_back_after_views)) throw ViewsMustMove{};
        cv.entities.add(*ctx.read_back_after_views);
    } else {
        views.rec.set_item_moves(view_item_moves);
        views.rec.replay(cv.entities, cv.scr_out, vx, vy);
    }
    blocks.rec.replay(cv.entities, cv.scr_out, bx, by);
    const int count = static_cast<int>(ctx.frames.size());
    for (const SheetFrame& f : ctx.frames) {
        draw_frame_border(ctx, f);
        draw_title_block(ctx, f, count);
    }
}

}  // namespace lwall
