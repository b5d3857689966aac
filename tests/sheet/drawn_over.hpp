#pragma once
// What lies over what on a sheet, as a checker sees it on the plot: texts over texts, call-out
// circles over texts and over each other, lines through texts. An oracle of its own for the tests,
// by brute force, apart from the program's placement of what collides.
//
// A text covers what its glyphs cover: its characters without the blanks around them, each byte
// half as wide as the text is high (a double-byte character as wide as high), from the baseline up
// to the text's height, turned by an aligned text's rotation. A call-out circle (radius 100 or
// more) may ring the mark at the start of the text drawn just before it, and nothing else; smaller
// circles are bars seen end-on, which no text may cover. A line may end at a text (a leader, an
// arrow), not run through one.

#include <string>
#include <vector>

#include "output/entity_sink.hpp"
#include "output/primitives/geometry.hpp"

namespace lwall::test {

class OverlapRecorder final : public EntitySink {
public:
    struct Item {
        enum class Kind { line, text, circle } kind = Kind::line;
        std::string layer;
        std::string text;   // Shift_JIS
        Point a, b;         // line ends; text insertion point; circle centre
        double height = 0;  // text
        double rotation = 0;  // degrees, aligned texts
        double width_factor = 1;
        double radius = 0;
    };
    std::vector<Item> items;

    void line(const LineEntity& e) override;
    void text(const TextEntity& e) override;
    void circle(const CircleEntity& e) override;
};

// Every place where one thing lies over another, described for a message ("text "W1" over text
// "D16" at (x, y)"), in drawing order.
std::vector<std::string> drawn_over(const std::vector<OverlapRecorder::Item>& items);

}  // namespace lwall::test
