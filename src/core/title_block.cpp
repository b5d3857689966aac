#include "core/title_block.hpp"

#include <cmath>
#include <iterator>

namespace lwall {

namespace {

// Captions 2.5 mm high in a column 30 mm wide; values 2.5 mm high (the drawing's name 3.5 mm, in a
// row of its own 15 mm high) in the 140 mm beside them.
constexpr TitleBox caption(double x0, double y0, double x1, double y1, int v) {
    return {x0, y0, x1, y1, TitleBoxText::caption, v, kTitleItems[v].label_ja};
}
constexpr TitleBox value(double x0, double y0, double x1, double y1, int v, double text_height = 2.5) {
    return {x0, y0, x1, y1, TitleBoxText::value, v, "", text_height};
}

constexpr TitleBox kBoxes[] = {
    caption(0, 65, 30, 75, kProjectName),
    value(30, 65, 170, 75, kProjectName),
    caption(0, 55, 30, 65, kRouteAndPlace),
    value(30, 55, 170, 65, kRouteAndPlace),
    caption(0, 40, 30, 55, kDrawingName),
    value(30, 40, 170, 55, kDrawingName, 3.5),
    {0, 30, 30, 40, TitleBoxText::caption, -1, "縮尺"},
    {30, 30, 55, 40, TitleBoxText::scale},
    caption(55, 30, 85, 40, kDrawingNumber),
    value(85, 30, 145, 40, kDrawingNumber),
    {145, 30, 170, 40, TitleBoxText::sheet_number},
    caption(0, 20, 30, 30, kDrawingDate),
    value(30, 20, 170, 30, kDrawingDate),
    caption(0, 10, 30, 20, kCompany),
    value(30, 10, 170, 20, kCompany),
    caption(0, 0, 30, 10, kDesigner),
    value(30, 0, 170, 10, kDesigner),
};

}  // namespace

std::span<const TitleBox> title_boxes() { return kBoxes; }

const TitleBox& title_value_box(int v) {
    for (const TitleBox& b : kBoxes) {
        if (b.shows == TitleBoxText::value && b.value == v) return b;
    }
    return kBoxes[1];
}

std::size_t title_box_bytes(const TitleBox& box) {
    return static_cast<std::size_t>(std::floor((box.x1 - box.x0 - 2 * kTitleTextInset) / box.text_height));
}

double title_text_x(const TitleBox& box) { return box.x0 + kTitleTextInset; }

double title_text_y(const TitleBox& box) {
    return box.y0 + std::floor((box.y1 - box.y0 - box.text_height)) / 2;
}

}  // namespace lwall
