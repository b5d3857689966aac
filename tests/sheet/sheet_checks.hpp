#pragma once
// What a checking engineer looks at on a whole sheet, read from the entities as the drawings hand
// them over (before any number is written out): where the arrows, leaders and spacing ticks of
// the bar call-outs point, and on which layer each line and text of the tables lies.

#include <string>
#include <vector>

#include "context/run_context.hpp"
#include "output/entity_sink.hpp"

namespace lwall::test {

struct SheetEntity {
    enum class Kind { line, text, circle };
    Kind kind = Kind::line;
    std::string layer;
    double width = 0;     // pen width
    Point a;              // line start, text insertion point, circle centre
    Point b;              // line end
    double radius = 0;    // circle
    bool aligned = false;  // a text with a second alignment point (dimension labels, headings)
    Extent extent;         // where it lies, by the sheet's measure of text
};

// Keeps every entity of a run, in drawing order. Add it to a canvas's entity sinks before drawing.
class SheetRecorder final : public EntitySink {
public:
    void line(const LineEntity& e) override;
    void text(const TextEntity& e) override;
    void circle(const CircleEntity& e) override;

    std::vector<SheetEntity> entities;
};

// Every arrowhead, leader head and spacing-chain tick of a bar call-out (the ticks of dimensions
// and the arrows beside the plan's face labels are not about bars) whose tip does not lie on a bar
// line or bar dot of the sheet, or which is not on the dimension layer "D-STR-DIM" (the
// arrangement view draws its F1 and F2 leaders with the call-out pen, "D-STR-HTXT" at 0.13),
// described for a message. A tick may stand off the end of the bar it marks, in line with it,
// and a head on the first piece of a lapped bar points at the second piece, drawn one diameter
// aside, too.
std::vector<std::string> heads_off_bars(const std::vector<SheetEntity>& e, const WallInput& w);

// Every S1 tie of the wall's front face (a stroke through a bar, 50 each way) that does not stand
// on a vertical bar, or on the centre line where the bar at the reference point stands.
std::vector<std::string> ties_off_bars(const std::vector<SheetEntity>& e);

// How far the k-th table of the final step moved (0 the schedule, 1 the mass table, 2 the material
// table).
Point table_offset(const RunContext& ctx, int k);

// Every entity that does not lie inside exactly one frame of ctx.frames (crossing a border, or in
// none), every entity not of a title block that reaches into a frame's title block, every text or
// line of a title block that leaves it; and every two blocks of the final step whose placed extents
// overlap, or that lie outside their frame.
std::vector<std::string> frame_faults(const std::vector<SheetEntity>& e, const RunContext& ctx);

// Every line and text of the bending schedule, the mass table and the material table that is not
// on its layer: frames on "D-MTR-FRAM", headings on "D-MTR-TXT", the printed rows on
// "D-MTR-MTXT" (the shape legend above the schedule's headings and the shape icons of the mass
// table's remarks column apart), and no table layer misused anywhere on the sheet.
std::vector<std::string> table_layer_faults(const std::vector<SheetEntity>& e, const RunContext& ctx);

}  // namespace lwall::test
