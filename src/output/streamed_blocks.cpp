#include "output/streamed_blocks.hpp"

#include "output/dxf/dxf_entities.hpp"
#include "output/dxf/dxf_writer.hpp"
#include "output/entity_extent.hpp"
#include "output/primitives/geometry.hpp"

namespace lwall {

std::string_view StreamedBlocks::kept(std::string_view s) {
    // A drawing keeps to a layer and a style for many entities in a row.
    if (s == last_layer_) return last_layer_;
    if (s == last_style_) return last_style_;
    for (const Pen& p : pens_) {
        if (p.layer == s) return p.layer;
    }
    return strings_.emplace_back(s);
}

void StreamedBlocks::note(Kind kind, bool fixed, const Extent& e, std::uint32_t index, double x1, double y1, double x2,
                          double y2) {
    if (extents_.empty()) open_block();
    extents_.back().cover(e);
    // Behind the drawing file's writer: its record ends where the file ends now.
    if (records_.size() == 0) first_start_ = last_end_;
    last_end_ = file_.size();
    records_.push({kind, fixed, index, last_end_, x1, y1, x2, y2});
}

void StreamedBlocks::line(const LineEntity& e) {
    std::uint32_t pen = 0;
    while (pen < pens_.size() && !(pens_[pen].layer == e.layer && pens_[pen].colour == e.colour &&
                                   pens_[pen].width == e.width)) {
        ++pen;
    }
    if (pen == pens_.size()) pens_.push_back({last_layer_ = kept(e.layer), e.colour, e.width});
    note(Kind::line, e.layer.starts_with(fixed_prefix_), extent_of(e), pen, e.x1, e.y1, e.x2, e.y2);
}

void StreamedBlocks::text(const TextEntity& e) {
    TextEntity k = e;
    k.layer = last_layer_ = kept(e.layer);
    k.style = last_style_ = kept(e.style);
    k.text = strings_.emplace_back(e.text);
    note(Kind::text, e.layer.starts_with(fixed_prefix_), extent_of(e), texts_.push(k), e.x1, e.y1, 0, 0);
}

void StreamedBlocks::circle(const CircleEntity& e) {
    CircleEntity k = e;
    k.layer = last_layer_ = kept(e.layer);
    note(Kind::circle, false, extent_of(e), circles_.push(k), e.x, e.y, e.radius, 0);
}

void StreamedBlocks::add_items(std::vector<SheetItem>& items) const {
    items.reserve(items.size() + records_.size());
    for (std::uint32_t k = 0; k < records_.size(); ++k) {
        const Record& r = records_[k];
        SheetItem& i = items.emplace_back();
        i.fixed = r.fixed;
        i.a = {r.x1, r.y1};
        switch (r.kind) {
        case Kind::line:
            i.kind = SheetItem::Kind::line;
            i.b = {r.x2, r.y2};
            break;
        case Kind::text: {
            const TextEntity& t = texts_[r.index];
            i.kind = SheetItem::Kind::text;
            i.height = t.height;
            i.rotation = t.form == TextForm::aligned ? t.angle : 0;
            i.width_factor = t.width_factor;
            i.text = t.text;
            break;
        }
        case Kind::circle:
            i.kind = SheetItem::Kind::circle;
            i.radius = r.x2;
            break;
        }
    }
}

LineEntity StreamedBlocks::line_of(const Record& r) const {
    const Pen& p = pens_[r.index];
    LineEntity e;
    e.layer = p.layer;
    e.colour = p.colour;
    e.width = p.width;
    e.x1 = r.x1, e.y1 = r.y1, e.x2 = r.x2, e.y2 = r.y2;
    return e;
}

TextEntity StreamedBlocks::text_of(const Record& r, Point d) const {
    TextEntity t = texts_[r.index];
    t.x1 = moved_by(t.x1, d.x);
    t.y1 = moved_by(t.y1, d.y);
    t.x2 = moved_by(t.x2, d.x);
    t.y2 = moved_by(t.y2, d.y);
    return t;
}

bool StreamedBlocks::place(OutputSink& drawing_file, std::span<const ItemMove> moves, EntitySink& texts) const {
    // Each moved record written anew, as the drawing file's writer writes the moved entity.
    struct Rewrite {
        std::size_t at, length;
        std::size_t from;  // in rewritten
    };
    std::vector<Rewrite> rewrites;
    OutputSink rewritten;
    DxfWriter out(rewritten);
    for (std::uint32_t k = 0; k < records_.size() && k < moves.size(); ++k) {
        const ItemMove& m = moves[k];
        if (!m.moved()) continue;
        const Record& r = records_[k];
        const std::size_t start = k == 0 ? first_start_ : records_[k - 1].end;
        const std::size_t from = rewritten.size();
        switch (r.kind) {
        case Kind::line: {
            LineEntity e = line_of(r);
            e.x1 = moved_by(e.x1, m.a.x);
            e.y1 = moved_by(e.y1, m.a.y);
            e.x2 = moved_by(e.x2, m.b.x);
            e.y2 = moved_by(e.y2, m.b.y);
            dxf_line(out, e);
            break;
        }
        case Kind::text:
            dxf_text(out, text_of(r, m.a));
            break;
        case Kind::circle: {
            CircleEntity e = circles_[r.index];
            e.x = moved_by(e.x, m.a.x);
            e.y = moved_by(e.y, m.a.y);
            dxf_circle(out, e);
            break;
        }
        }
        if (rewritten.size() - from != r.end - start) return false;
        rewrites.push_back({start, r.end - start, from});
    }
    const std::string_view bytes = rewritten.contents();
    for (const Rewrite& w : rewrites) {
        if (!drawing_file.overwrite(w.at, bytes.substr(w.from, w.length))) return false;
    }
    for (std::uint32_t k = 0; k < records_.size(); ++k) {
        const Record& r = records_[k];
        if (r.kind != Kind::text) continue;
        texts.text(text_of(r, k < moves.size() ? moves[k].a : Point{0, 0}));
    }
    return true;
}

}  // namespace lwall
