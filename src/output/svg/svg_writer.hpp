#pragma once
// A picture of the sheet as SVG: one of the sheet's entity sinks, beside the drawing file. Every
// LINE, TEXT and CIRCLE is drawn with its numbers as the drawing file holds them (whole drawing
// units, halves away from zero), so the picture and the drawing cannot disagree. Colours are the CAD colour numbers on a dark ground,
// line widths the pen widths at the sheet's scale, texts UTF-8 in a Japanese font.

#include <string>
#include <string_view>
#include <vector>

#include "core/layer_table.hpp"
#include "core/sheet_frames.hpp"
#include "output/entity_sink.hpp"

namespace lwall {

// How the picture shows the sheet; every other view of it (the editor's live sheet) shows it the
// same way. The ground is dark; CAD colour numbers 1-7 show as on a dark screen (7 white), others
// grey; texts and circles take their layer's colour, white where the layer file does not define the
// layer; a line is as wide as its pen at the sheet's scale, at least one drawing unit.
inline constexpr std::string_view kPictureGround = "#1e1e1e";
std::string_view picture_colour(int aci);
int picture_layer_colour(const LayerTable* layers, std::string_view layer);
double picture_stroke(double pen_width, double scale);
// A number of the picture: whole as it stands, anything else to two decimals without trailing
// zeros.
void append_picture_number(std::string& out, double v);

// The pen widths of the picture: a line is as wide as its pen at the scale of the frame it stands
// in; frames without a scale of their own are at the sheet's.
class PictureScales {
public:
    void set_scale(double scale) { scale_ = scale; }
    // A frame of a scale of its own (the tables' frames at 1:50 beside a sheet at a larger scale).
    void set_frame_scale(double x0, double x1, double scale) { frames_.push_back({x0, x1, scale}); }
    // The scale at x, in drawing units.
    double at(double x) const;
    bool uniform() const { return frames_.empty(); }

private:
    struct FrameScale {
        double x0, x1, scale;
    };
    double scale_ = 1;
    std::vector<FrameScale> frames_;
};

// The frame of the picture: everything drawn (numbers as held, y upward) with a margin of 1000
// drawing units, y downward.
struct PictureFrame {
    double x, y, width, height;
};
PictureFrame picture_frame(const Extent& drawn);
// What a text or circle covers, for the frame: a text stands in the square of its height.
void cover_text(Extent& drawn, double x, double y, double height);
void cover_circle(Extent& drawn, double x, double y, double r);

class SvgWriter final : public EntitySink {
public:
    // The layers give the colour of texts and circles; the scale turns pen widths into lines.
    void set_layers(const LayerTable& layers) { layers_ = &layers; }
    void set_scale(double scale) { scales_.set_scale(scale); }
    // A frame of a scale of its own (the tables' frames at 1:50 beside a sheet at a larger scale):
    // its lines and circles get the pen widths at that scale.
    void set_frame_scale(double x0, double x1, double scale) { scales_.set_frame_scale(x0, x1, scale); }

    void line(const LineEntity& e) override;
    // A text stands left-aligned at its (first) insertion point; an aligned text is rotated
    // counterclockwise by its rotation, a simple one is upright.
    void text(const TextEntity& e) override;
    void circle(const CircleEntity& e) override;

    // The whole document, sized `pixel_width` wide, framing everything drawn.
    std::string document(int pixel_width) const;

private:
    const LayerTable* layers_ = nullptr;
    PictureScales scales_;
    std::string body_;
    Extent drawn_;  // what the picture frames
};

}  // namespace lwall
