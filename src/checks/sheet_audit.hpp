#pragma once
// The sheet read back once it is drawn, the way a checker reads it before it goes to the fixer:
// from its texts alone, never from the bar list that drew them.
//
// - The bending schedule (the table under 鉄 筋 加 工 図), the bar mass table (鉄 筋 質 量 表)
//   and the material table (材 料 表) are found by their titles and read row by row, cell by
//   column.
// - Every bending-drawing label "W3-1 9-D13 × 9000" names a schedule row with that mark, count,
//   size and length, and every schedule row has a label.
// - The leg dimensions of a bending drawing add up to its label's length; of a bar in two pieces,
//   each piece's dimension is its label's length and the two pieces cover the whole bar.
// - Every call-out of the views (a ringed mark with its size beside it) names a schedule row, or
//   the rows of the pieces of a mark ("W3" for W3-1, W3-2 …), of its size.
// - Every row of the mass table is the schedule's row, weighed: one bar is the length times the
//   unit mass, the row that times the count, each to the gram as printed.
// - The whole-wall steel of each size and in total in the material table is the mass table's.
//
// It is an entity sink: it keeps the texts as they pass, in drawing order, and reads them once at
// the end, so a run pays for it about what a copy of its texts costs.

#include <string>
#include <vector>

#include "core/messages.hpp"
#include "output/entity_sink.hpp"

namespace lwall {

class SheetAudit final : public EntitySink {
public:
    void line(const LineEntity&) override {}
    void text(const TextEntity& e) override;
    void circle(const CircleEntity&) override {}

    // Every place the sheet disagrees with itself, in reading order; empty when it agrees.
    std::vector<Message> disagreements() const;

    struct Text {
        int layer = 0;     // one of the layers read (sheet_audit.cpp)
        std::string text;  // Shift_JIS
        double x = 0, y = 0;
        int height = 0;
    };

private:
    std::vector<Text> texts_;
};

}  // namespace lwall
