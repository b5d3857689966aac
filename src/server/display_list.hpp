#pragma once
// The editor's live sheet as the page paints it on a canvas, without reading picture text: an entity
// sink beside the drawing file that gathers every LINE and CIRCLE into runs of numbers by colour and
// width, and every TEXT with its place and rotation by colour and size. Numbers, colours, widths and
// frame are those of the picture (Lwall.svg), so the live sheet and the download show the same.

#include <cstddef>
#include <string>
#include <vector>

#include "core/layer_table.hpp"
#include "output/entity_sink.hpp"
#include "output/svg/svg_writer.hpp"

namespace lwall {

class DisplayList final : public EntitySink {
public:
    void line(const LineEntity& e) override;
    void text(const TextEntity& e) override;
    void circle(const CircleEntity& e) override;

    std::size_t line_count() const { return line_count_; }
    std::size_t circle_count() const { return circle_count_; }
    std::size_t text_count() const { return text_count_; }

    // Appends the list as one JSON object, its colours and widths from the run's layers and the
    // scales of its frames:
    //   {"frame": [x, y, width, height], "ground": "#1e1e1e",
    //    "strokes": [{"colour", "width", "lines": [x1, y1, x2, y2, ...], "circles": [x, y, r, ...]}],
    //    "texts": [{"colour", "size", "at": [x, y, rotation, ...], "strings": ["...", ...]}],
    //    "counts": [lines, circles, texts]}
    // in the picture's units with y downward; a rotation is clockwise in degrees about the text's
    // place, which is its left end on the baseline.
    void append_json(std::string& out, const LayerTable* layers, const PictureScales& scales) const;

private:
    struct LineRun {
        int colour;
        double width;
        std::vector<double> xy;
    };
    struct CircleRun {
        std::string layer;
        double width;
        std::vector<double> xyr;
    };
    struct TextRun {
        std::string layer;
        int height;
        std::vector<double> at;
        std::string strings;  // JSON strings, comma separated
    };

    std::vector<LineRun> lines_;
    std::vector<CircleRun> circles_;
    std::vector<TextRun> texts_;
    Extent drawn_;
    std::size_t line_count_ = 0;
    std::size_t circle_count_ = 0;
    std::size_t text_count_ = 0;
};

// Appends `text` (UTF-8) as the body of a JSON string, passing it in runs between the few
// characters JSON escapes.
void append_json_string(std::string& out, std::string_view text);

}  // namespace lwall
