#include "output/block_recording.hpp"

#include "output/entity_extent.hpp"

namespace lwall {

int BlockRecording::open_block(BlockRole role) {
    roles_.push_back(role);
    current_ = block_count() - 1;
    return current_;
}

int BlockRecording::block() {
    if (current_ < 0) open_block(BlockRole::drawing);
    return current_;
}

void BlockRecording::line(const LineEntity& e) {
    Recorded r{Kind::line, block(), std::string(e.layer), {}, {}};
    r.colour = e.colour;
    r.width = e.width;
    r.x1 = e.x1;
    r.y1 = e.y1;
    r.x2 = e.x2;
    r.y2 = e.y2;
    entities_.push_back(std::move(r));
}

void BlockRecording::text(const TextEntity& e) {
    Recorded r{Kind::text, block(), std::string(e.layer), std::string(e.text), std::string(e.style)};
    r.form = e.form;
    r.width = e.width;
    r.colour = e.colour;
    r.height = e.height;
    r.width_factor = e.width_factor;
    r.angle = e.angle;
    r.x1 = e.x1;
    r.y1 = e.y1;
    r.x2 = e.x2;
    r.y2 = e.y2;
    entities_.push_back(std::move(r));
}

void BlockRecording::circle(const CircleEntity& e) {
    Recorded r{Kind::circle, block(), std::string(e.layer), {}, {}};
    r.width = e.width;
    r.x1 = e.x;
    r.y1 = e.y;
    r.radius = e.radius;
    entities_.push_back(std::move(r));
}

void BlockRecording::script(ScriptCommand c) { commands_.push_back({block(), std::move(c)}); }

namespace {

// The entity a recorded one stands for, moved by (dx, dy); its texts point into the record.
template <typename R>
LineEntity as_line(const R& r, double dx, double dy) {
    return {r.layer, r.colour, r.width, moved_by(r.x1, dx), moved_by(r.y1, dy), moved_by(r.x2, dx), moved_by(r.y2, dy)};
}

template <typename R>
TextEntity as_text(const R& r, double dx, double dy) {
    TextEntity e;
    e.form = r.form;
    e.layer = r.layer;
    e.width = r.width;
    e.colour = r.colour;
    e.height = r.height;
    e.text = r.text;
    e.width_factor = r.width_factor;
    e.angle = r.angle;
    e.style = r.style;
    e.x1 = moved_by(r.x1, dx);
    e.y1 = moved_by(r.y1, dy);
    e.x2 = moved_by(r.x2, dx);
    e.y2 = moved_by(r.y2, dy);
    return e;
}

template <typename R>
CircleEntity as_circle(const R& r, double dx, double dy) {
    return {r.layer, r.width, moved_by(r.x1, dx), moved_by(r.y1, dy), r.radius};
}

}  // namespace

std::vector<Extent> BlockRecording::extents() const {
    std::vector<Extent> out(roles_.size());
    for (const Recorded& r : entities_) {
        Extent& e = out[static_cast<std::size_t>(r.block)];
        switch (r.kind) {
        case Kind::line: e.cover(extent_of(as_line(r, 0, 0))); break;
        case Kind::text: e.cover(extent_of(as_text(r, 0, 0))); break;
        case Kind::circle: e.cover(extent_of(as_circle(r, 0, 0))); break;
        }
    }
    return out;
}

void BlockRecording::replay(EntitySink& entities, OutputSink& script, std::span<const double> dx,
                            std::span<const double> dy) const {
    for (const Recorded& r : entities_) {
        const auto b = static_cast<std::size_t>(r.block);
        switch (r.kind) {
        case Kind::line: entities.line(as_line(r, dx[b], dy[b])); break;
        case Kind::text: entities.text(as_text(r, dx[b], dy[b])); break;
        case Kind::circle: entities.circle(as_circle(r, dx[b], dy[b])); break;
        }
    }
    for (const Command& c : commands_) write_script_command(script, c.command, dx[static_cast<std::size_t>(c.block)],
                                                            dy[static_cast<std::size_t>(c.block)]);
}

}  // namespace lwall
