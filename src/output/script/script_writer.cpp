#include "output/script/script_writer.hpp"

#include "core/number_format.hpp"
#include "output/block_recording.hpp"

namespace lwall {

namespace {

// "%5.0lf,%5.0lf" of p moved by (dx, dy); with a trailing blank unless it ends the line.
void put_point(TextBuf& t, Point p, double dx, double dy, bool trailing_blank = true) {
    t.fixed(moved_by(p.x, dx), 5, 0).text(",").fixed(moved_by(p.y, dy), 5, 0);
    if (trailing_blank) t.text(" ");
}

// The command with its points in sheet coordinates; written now, or kept with the block being drawn.
void issue(Canvas& cv, ScriptCommand::Kind kind, Point p1, Point p2, Point p3, std::string_view text = {}) {
    const Point o = cv.state.origin;
    ScriptCommand c{kind, {p1.x + o.x, p1.y + o.y}, {p2.x + o.x, p2.y + o.y}, {p3.x + o.x, p3.y + o.y},
                    std::string(text)};
    if (cv.recording != nullptr) cv.recording->script(std::move(c));
    else write_script_command(cv.scr_out, c);
}

}  // namespace

void write_script_command(OutputSink& out, const ScriptCommand& c, double dx, double dy) {
    using enum ScriptCommand::Kind;
    TextBuf t;
    switch (c.kind) {
    case dimlinear_v:
    case dimlinear_h:
    case dimlinear_text:
        t.text("dimlinear ");
        put_point(t, c.p1, dx, dy);
        put_point(t, c.p2, dx, dy);
        if (c.kind == dimlinear_text) {
            t.text("M ").text(c.text);
            out.line(t);
            t.clear();
        } else {
            t.text(c.kind == dimlinear_v ? "V " : "H ");
        }
        put_point(t, c.p3, dx, dy);
        out.line(t);
        break;
    case qleader:
        t.text("qleader ");
        put_point(t, c.p1, dx, dy);
        put_point(t, c.p2, dx, dy);
        put_point(t, c.p3, dx, dy, false);
        out.line(t);
        out.line("");
        break;
    case line:
        out.line(c.text);
        break;
    }
}

void scr_dimlinear_v(Canvas& cv, Point p1, Point p2, Point p3) { issue(cv, ScriptCommand::Kind::dimlinear_v, p1, p2, p3); }

void scr_dimlinear_h(Canvas& cv, Point p1, Point p2, Point p3) { issue(cv, ScriptCommand::Kind::dimlinear_h, p1, p2, p3); }

void scr_dimlinear_text(Canvas& cv, Point p1, Point p2, std::string_view text, Point p3) {
    issue(cv, ScriptCommand::Kind::dimlinear_text, p1, p2, p3, text);
}

void scr_qleader(Canvas& cv, Point p1, Point p2, Point p3) { issue(cv, ScriptCommand::Kind::qleader, p1, p2, p3); }

void scr_write_line(Canvas& cv, std::string_view text) {
    if (cv.recording != nullptr) cv.recording->script({ScriptCommand::Kind::line, {}, {}, {}, std::string(text)});
    else cv.scr_out.line(text);
}

}  // namespace lwall
