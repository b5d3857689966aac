#include "output/pdf/pdf_pages.hpp"

#include <cmath>
#include <cstdio>

#include "core/sjis.hpp"

namespace lwall {

namespace {

// A number as the drawing file holds it: whole, halves away from zero.
double held(double v) { return std::round(v); }

bool finite(std::initializer_list<double> values) {
    for (double v : values) {
        if (!std::isfinite(v)) return false;
    }
    return true;
}

double pen(double width) { return width > 0 ? width : kThinnestPen; }

// Where a frame's drawing units land on its page: the frame's paper size centred on the page, y
// turned downward.
class PageMap {
public:
    explicit PageMap(const SheetFrame& f)
        : frame_(f), mm_per_unit_(1 / f.scale), paper_height_(f.height / f.scale),
          left_((kPdfPageWidth - f.width / f.scale) / 2), top_((kPdfPageHeight - paper_height_) / 2) {}

    double x(double v) const { return left_ + (v - frame_.x) * mm_per_unit_; }
    double y(double v) const { return top_ + paper_height_ - (v - frame_.y) * mm_per_unit_; }
    double length(double v) const { return v * mm_per_unit_; }

private:
    const SheetFrame& frame_;
    double mm_per_unit_;
    double paper_height_;
    double left_;
    double top_;
};

}  // namespace

void PdfPages::line(const LineEntity& e) {
    const Line l{held(e.x1), held(e.y1), held(e.x2), held(e.y2), pen(e.width)};
    if (finite({l.x1, l.y1, l.x2, l.y2, l.width})) lines_.push_back(l);
}

void PdfPages::circle(const CircleEntity& e) {
    const Circle c{held(e.x), held(e.y), held(e.radius), pen(e.width)};
    if (finite({c.x, c.y, c.radius, c.width})) circles_.push_back(c);
}

void PdfPages::text(const TextEntity& e) {
    const double rotation = e.form == TextForm::aligned ? held(e.angle) : 0;
    Text t{held(e.x1), held(e.y1), static_cast<double>(e.height), rotation, sjis_to_utf8(e.text)};
    if (e.height > 0 && !t.utf8.empty() && finite({t.x, t.y, t.rotation})) texts_.push_back(std::move(t));
}

std::string pdf_creation_date(const TitleInput& title) {
    const TitleDate d = read_title_date(title.values[kDrawingDate]);
    static constexpr int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = d.year % 4 == 0 && (d.year % 100 != 0 || d.year % 400 == 0);
    if (!d.valid() || d.year < 1 || d.year > 9999 || d.day > kDays[d.month - 1] || (d.month == 2 && d.day == 29 && !leap)) {
        return "1970-01-01T00:00:00Z";
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT00:00:00", d.year, d.month, d.day);
    return buf;
}

PdfDocument PdfPages::layout(const SheetFrames& frames, const TitleInput& title) const {
    std::vector<PageMap> maps;
    maps.reserve(frames.size());
    for (const SheetFrame& f : frames) maps.emplace_back(f);
    PdfDocument doc;
    doc.creation_date_ = pdf_creation_date(title);
    doc.pages_.resize(frames.size());
    for (const Line& l : lines_) {
        const int p = frame_holding(frames, (l.x1 + l.x2) / 2, (l.y1 + l.y2) / 2);
        if (p < 0) continue;
        const PageMap& m = maps[p];
        doc.pages_[p].lines.push_back({m.x(l.x1), m.y(l.y1), m.x(l.x2), m.y(l.y2), l.width});
    }
    for (const Circle& c : circles_) {
        const int p = frame_holding(frames, c.x, c.y);
        if (p < 0) continue;
        const PageMap& m = maps[p];
        doc.pages_[p].circles.push_back({m.x(c.x), m.y(c.y), m.length(c.radius), c.width});
    }
    for (const Text& t : texts_) {
        const int p = frame_holding(frames, t.x, t.y);
        if (p < 0) continue;
        const PageMap& m = maps[p];
        doc.pages_[p].texts.push_back({m.x(t.x), m.y(t.y), m.length(t.height), t.rotation, t.utf8.c_str()});
    }
    for (const PdfDocument::Page& page : doc.pages_) {
        doc.views_.push_back({page.lines.data(), page.lines.size(), page.circles.data(), page.circles.size(),
                              page.texts.data(), page.texts.size()});
    }
    return doc;
}

}  // namespace lwall
