#include "output/script/script_writer.hpp"

#include "core/number_format.hpp"

namespace lwall {

namespace {

// "%5.0lf,%5.0lf" of p plus the origin; with a trailing blank unless it ends the line.
void put_point(TextBuf& t, const Canvas& cv, Point p, bool trailing_blank = true) {
    t.fixed(p.x + cv.state.origin.x, 5, 0).text(",").fixed(p.y + cv.state.origin.y, 5, 0);
    if (trailing_blank) t.text(" ");
}

void dimlinear(Canvas& cv, Point p1, Point p2, std::string_view direction, Point p3) {
    TextBuf t;
    t.text("dimlinear ");
    put_point(t, cv, p1);
    put_point(t, cv, p2);
    t.text(direction);
    put_point(t, cv, p3);
    scr_write_line(cv, t);
}

}  // namespace

void scr_dimlinear_v(Canvas& cv, Point p1, Point p2, Point p3) { dimlinear(cv, p1, p2, "V ", p3); }

void scr_dimlinear_h(Canvas& cv, Point p1, Point p2, Point p3) { dimlinear(cv, p1, p2, "H ", p3); }

void scr_dimlinear_text(Canvas& cv, Point p1, Point p2, std::string_view text, Point p3) {
    TextBuf t;
    t.text("dimlinear ");
    put_point(t, cv, p1);
    put_point(t, cv, p2);
    t.text("M ").text(text);
    scr_write_line(cv, t);
    t.clear();
    put_point(t, cv, p3);
    scr_write_line(cv, t);
}

void scr_qleader(Canvas& cv, Point p1, Point p2, Point p3) {
    TextBuf t;
    t.text("qleader ");
    put_point(t, cv, p1);
    put_point(t, cv, p2);
    put_point(t, cv, p3, false);
    scr_write_line(cv, t);
    scr_write_line(cv, "");
}

void scr_write_line(Canvas& cv, std::string_view text) { cv.scr_out.line(text); }

}  // namespace lwall
