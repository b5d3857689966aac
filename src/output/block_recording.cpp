#include "output/block_recording.hpp"

#include <type_traits>

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

void BlockRecording::line(const LineEntity& e) { entities_.push_back({block(), e, std::string(e.layer), {}, {}}); }

void BlockRecording::text(const TextEntity& e) {
    entities_.push_back({block(), e, std::string(e.layer), std::string(e.text), std::string(e.style)});
}

void BlockRecording::circle(const CircleEntity& e) { entities_.push_back({block(), e, std::string(e.layer), {}, {}}); }

void BlockRecording::script(ScriptCommand c) { commands_.push_back({block(), std::move(c)}); }

namespace {

// The entity moved by (dx, dy): a line's both ends, a text's both points, a circle's centre.
template <typename E>
E moved(E e, double dx, double dy) {
    if constexpr (std::is_same_v<E, CircleEntity>) {
        e.x = moved_by(e.x, dx);
        e.y = moved_by(e.y, dy);
    } else {
        e.x1 = moved_by(e.x1, dx);
        e.y1 = moved_by(e.y1, dy);
        e.x2 = moved_by(e.x2, dx);
        e.y2 = moved_by(e.y2, dy);
    }
    return e;
}

// The entity's views bound to the record's own copies of its texts.
template <typename E>
void bind(E& e, const std::string& layer, const std::string& text, const std::string& style) {
    e.layer = layer;
    if constexpr (std::is_same_v<E, TextEntity>) {
        e.text = text;
        e.style = style;
    }
}

}  // namespace

std::vector<Extent> BlockRecording::extents() const {
    std::vector<Extent> out(roles_.size());
    for (const Recorded& r : entities_) {
        std::visit(
            [&](auto e) {
                bind(e, r.layer, r.text, r.style);
                out[static_cast<std::size_t>(r.block)].cover(extent_of(e));
            },
            r.entity);
    }
    return out;
}

void BlockRecording::replay(EntitySink& entities, OutputSink& script, std::span<const double> dx,
                            std::span<const double> dy) const {
    struct Hand {
        EntitySink& to;
        void operator()(const LineEntity& e) const { to.line(e); }
        void operator()(const TextEntity& e) const { to.text(e); }
        void operator()(const CircleEntity& e) const { to.circle(e); }
    };
    for (const Recorded& r : entities_) {
        const auto b = static_cast<std::size_t>(r.block);
        std::visit(
            [&](auto e) {
                bind(e, r.layer, r.text, r.style);
                Hand{entities}(moved(e, dx[b], dy[b]));
            },
            r.entity);
    }
    for (const Command& c : commands_) {
        const auto b = static_cast<std::size_t>(c.block);
        write_script_command(script, c.command, dx[b], dy[b]);
    }
}

}  // namespace lwall
