#include "output/block_recording.hpp"

#include <algorithm>
#include <cstring>

#include "output/entity_extent.hpp"

namespace lwall {

namespace {

constexpr std::size_t kTextChunk = 1 << 16;

// The entity moved by (dx, dy): a line's both ends, a text's both points, a circle's centre.
LineEntity moved(LineEntity e, double dx, double dy) {
    e.x1 = moved_by(e.x1, dx);
    e.y1 = moved_by(e.y1, dy);
    e.x2 = moved_by(e.x2, dx);
    e.y2 = moved_by(e.y2, dy);
    return e;
}

TextEntity moved(TextEntity e, double dx, double dy) {
    e.x1 = moved_by(e.x1, dx);
    e.y1 = moved_by(e.y1, dy);
    e.x2 = moved_by(e.x2, dx);
    e.y2 = moved_by(e.y2, dy);
    return e;
}

CircleEntity moved(CircleEntity e, double dx, double dy) {
    e.x = moved_by(e.x, dx);
    e.y = moved_by(e.y, dy);
    return e;
}

}  // namespace

int BlockRecording::open_block(BlockRole role) {
    roles_.push_back(role);
    current_ = block_count() - 1;
    return current_;
}

int BlockRecording::block() {
    if (current_ < 0) open_block(BlockRole::drawing);
    return current_;
}

std::string_view BlockRecording::name(std::string_view s) {
    // A drawing keeps to a layer for many entities in a row: the name used last comes first.
    if (s == last_name_) return last_name_;
    for (const std::string& n : names_) {
        if (n == s) return last_name_ = n;
    }
    return last_name_ = names_.emplace_back(s);
}

std::string_view BlockRecording::keep(std::string_view s) {
    if (s.empty()) return {};
    if (text_chunks_.empty() || s.size() > text_size_ - text_used_) {
        text_size_ = std::max(kTextChunk, s.size());
        text_chunks_.emplace_back(new char[text_size_]);
        text_used_ = 0;
    }
    char* at = text_chunks_.back().get() + text_used_;
    std::memcpy(at, s.data(), s.size());
    text_used_ += s.size();
    return {at, s.size()};
}

void BlockRecording::line(const LineEntity& e) {
    LineEntity k = e;
    k.layer = name(e.layer);
    drawn_.push_back({Kind::line, block(), lines_.push(k)});
}

void BlockRecording::text(const TextEntity& e) {
    TextEntity k = e;
    k.layer = name(e.layer);
    k.style = name(e.style);
    k.text = keep(e.text);
    drawn_.push_back({Kind::text, block(), texts_.push(k)});
}

void BlockRecording::circle(const CircleEntity& e) {
    CircleEntity k = e;
    k.layer = name(e.layer);
    drawn_.push_back({Kind::circle, block(), circles_.push(k)});
}

void BlockRecording::script(ScriptCommand c) { commands_.push_back({block(), std::move(c)}); }

template <typename Visit>
void BlockRecording::each(Visit&& visit) const {
    for (const Drawn& d : drawn_) {
        switch (d.kind) {
        case Kind::line:
            visit(d.block, lines_[d.index]);
            break;
        case Kind::text:
            visit(d.block, texts_[d.index]);
            break;
        case Kind::circle:
            visit(d.block, circles_[d.index]);
            break;
        }
    }
}

std::vector<Extent> BlockRecording::extents() const {
    std::vector<Extent> out(roles_.size());
    each([&](int block, const auto& e) { out[static_cast<std::size_t>(block)].cover(extent_of(e)); });
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
    const Hand hand{entities};
    each([&](int block, const auto& e) {
        const auto b = static_cast<std::size_t>(block);
        if (dx[b] == 0 && dy[b] == 0) hand(e);
        else hand(moved(e, dx[b], dy[b]));
    });
    for (const Command& c : commands_) {
        const auto b = static_cast<std::size_t>(c.block);
        write_script_command(script, c.command, dx[b], dy[b]);
    }
}

}  // namespace lwall
