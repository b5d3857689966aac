#include "output/block_recording.hpp"

#include <algorithm>
#include <cstring>

#include "output/entity_extent.hpp"

namespace lwall {

namespace {

constexpr std::size_t kTextChunk = 1 << 16;

// The entity moved by (dx, dy): a line's both ends, a text's both points, a circle's centre.
template <typename E>
E moved(E e, double dx, double dy) {
    e.x1 = moved_by(e.x1, dx);
    e.y1 = moved_by(e.y1, dy);
    e.x2 = moved_by(e.x2, dx);
    e.y2 = moved_by(e.y2, dy);
    return e;
}

template <>
CircleEntity moved(CircleEntity e, double dx, double dy) {
    e.x = moved_by(e.x, dx);
    e.y = moved_by(e.y, dy);
    return e;
}

}  // namespace

int BlockRecording::open_block(BlockRole role) {
    roles_.push_back(role);
    extents_.emplace_back();
    current_ = block_count() - 1;
    return current_;
}

int BlockRecording::block() {
    if (current_ < 0) open_block(BlockRole::drawing);
    return current_;
}

std::string_view BlockRecording::name(std::string_view s, NameCache& cache) {
    // A drawing keeps to a layer (and a text style) for many entities in a row: the name found
    // last comes first.
    if (s == cache.kept) return cache.kept;
    for (const std::string& n : names_) {
        if (n == s) return cache.kept = n;
    }
    return cache.kept = names_.emplace_back(s);
}

void BlockRecording::grow(int block, const Extent& e) { extents_[static_cast<std::size_t>(block)].cover(e); }

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
    k.layer = name(e.layer, layer_cache_);
    const int b = block();
    grow(b, extent_of(e));
    drawn_.push_back({Kind::line, b, lines_.push(k)});
}

void BlockRecording::text(const TextEntity& e) {
    TextEntity k = e;
    k.layer = name(e.layer, layer_cache_);
    k.style = name(e.style, style_cache_);
    k.text = keep(e.text);
    const int b = block();
    grow(b, extent_of(e));
    drawn_.push_back({Kind::text, b, texts_.push(k)});
}

void BlockRecording::circle(const CircleEntity& e) {
    CircleEntity k = e;
    k.layer = name(e.layer, layer_cache_);
    const int b = block();
    grow(b, extent_of(e));
    drawn_.push_back({Kind::circle, b, circles_.push(k)});
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

std::vector<Extent> BlockRecording::extents() const { return extents_; }

void BlockRecording::add_items(std::vector<SheetItem>& items, std::span<const double> dx, std::span<const double> dy,
                               std::string_view fixed_prefix) const {
    items.reserve(items.size() + drawn_.size());
    for (const Drawn& d : drawn_) {
        const auto b = static_cast<std::size_t>(d.block);
        const double mx = dx[b], my = dy[b];
        SheetItem& i = items.emplace_back();
        switch (d.kind) {
        case Kind::line: {
            const LineEntity& e = lines_[d.index];
            i.kind = SheetItem::Kind::line;
            i.fixed = e.layer.starts_with(fixed_prefix);
            i.a = {moved_by(e.x1, mx), moved_by(e.y1, my)};
            i.b = {moved_by(e.x2, mx), moved_by(e.y2, my)};
            break;
        }
        case Kind::text: {
            const TextEntity& e = texts_[d.index];
            i.kind = SheetItem::Kind::text;
            i.fixed = e.layer.starts_with(fixed_prefix);
            i.a = {moved_by(e.x1, mx), moved_by(e.y1, my)};
            i.height = e.height;
            i.rotation = e.form == TextForm::aligned ? e.angle : 0;
            i.width_factor = e.width_factor;
            i.text = e.text;
            break;
        }
        case Kind::circle: {
            const CircleEntity& e = circles_[d.index];
            i.kind = SheetItem::Kind::circle;
            i.a = {moved_by(e.x, mx), moved_by(e.y, my)};
            i.radius = e.radius;
            break;
        }
        }
    }
}

namespace {

// An entity moved by the overlap pass as well: a line's ends each by their own move.
LineEntity moved_item(LineEntity e, const ItemMove& m) {
    e.x1 = moved_by(e.x1, m.a.x);
    e.y1 = moved_by(e.y1, m.a.y);
    e.x2 = moved_by(e.x2, m.b.x);
    e.y2 = moved_by(e.y2, m.b.y);
    return e;
}
TextEntity moved_item(const TextEntity& e, const ItemMove& m) { return moved(e, m.a.x, m.a.y); }
CircleEntity moved_item(const CircleEntity& e, const ItemMove& m) { return moved(e, m.a.x, m.a.y); }

}  // namespace

void BlockRecording::replay(EntitySink& entities, OutputSink& script, std::span<const double> dx,
                            std::span<const double> dy) const {
    struct Hand {
        EntitySink& to;
        void operator()(const LineEntity& e) const { to.line(e); }
        void operator()(const TextEntity& e) const { to.text(e); }
        void operator()(const CircleEntity& e) const { to.circle(e); }
    };
    const Hand hand{entities};
    std::size_t k = 0;
    each([&](int block, const auto& e) {
        const auto b = static_cast<std::size_t>(block);
        const bool own = k < item_moves_.size() && item_moves_[k].moved();
        if (dx[b] == 0 && dy[b] == 0) {
            if (own) hand(moved_item(e, item_moves_[k]));
            else hand(e);
        } else {
            if (own) hand(moved_item(moved(e, dx[b], dy[b]), item_moves_[k]));
            else hand(moved(e, dx[b], dy[b]));
        }
        ++k;
    });
    for (const Command& c : commands_) {
        const auto b = static_cast<std::size_t>(c.block);
        write_script_command(script, c.command, dx[b], dy[b]);
    }
}

}  // namespace lwall
