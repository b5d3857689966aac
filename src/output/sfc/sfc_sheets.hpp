#pragma once
// The sheets for electronic delivery to a public client: one SXF sheet (SFC, the feature comment
// form of SXF Ver.3.1 level 2) per frame of the sheet set, each an A1 landscape sheet.
//
// An entity sink that keeps every LINE, CIRCLE and TEXT of the sheet with the numbers the drawing
// file holds (whole drawing units, whole degrees) and, once the frames are known, writes a file per
// frame: the frame's drawings as one part drawing (部分図, sfig_org_feature) at real size in drawing
// units from the frame's lower left corner, placed on the sheet (sfig_locate_feature) with the ratio
// 1/scale; the frame's border and title block (the layers D-TTL-*) on the sheet itself in paper
// millimetres; the title block's values also in the drawing attribute feature. The frame's
// 800 x 550 mm stand centred on the 841 x 594 mm sheet, as on the plot.
//
// The file follows the public description of SXF Ver.3.1 (feature comment form):
// - an ISO 10303-21 exchange file whose DATA section holds one feature per comment block,
//   "/*SXF" CR LF "#id = name(parameters)" CR LF "SXF*/", "/*SXF3" ... "SXF3*/" for the features
//   of Ver.3.0 (the drawing attribute); every parameter quoted, strings as \'...\' with a
//   backslash doubled, numbers as '...'; names and texts at most 256 bytes of Shift_JIS;
// - the tables first (layers, the predefined colours, line types and widths used, the text font),
//   then the members of the part drawing closed by its sfig_org, its sfig_locate, the drawing
//   attribute, what stands on the sheet itself, and the drawing sheet last;
// - codes: layers and text fonts numbered in file order; colours 1-16 by their predefined names,
//   line types 1-15 by theirs, widths 1-9 for 0.13 ... 2.0 mm, each declared before it is used.
//
// What the drawing file says is carried over so:
// - colours: the CAD colour number of the entity (of its layer for a circle, or where the entity
//   says "by layer") goes to the nearest of the 16 predefined colours;
// - line types: the layer's (CONTINUOUS, HIDDEN, CENTER, PHANTOM, DOT) to continuous, dashed,
//   long dashed dotted, long dashed double-dotted, dotted;
// - widths: the pen width to the nearest of the nine (0 to the thinnest);
// - texts: in "ＭＳ ゴシック", the height the drawing's, the whole string's width by the sheet's own
//   measure of text (its Shift_JIS bytes times the height times the width factor), set from the
//   lower left (base point 1), written across; an aligned text turns by its rotation, a simple
//   one slants by its oblique angle. Angles go into 0 <= a < 360.

#include <string>
#include <vector>

#include "core/layer_table.hpp"
#include "core/sheet_frames.hpp"
#include "core/title_block.hpp"
#include "output/entity_sink.hpp"

namespace lwall {

// The file of frame `number` (1 ...): Lwall-1.sfc, Lwall-2.sfc ...
std::string sfc_file_name(int number);

// The frame number of an SFC file name ("Lwall-3.sfc" -> 3), or 0 when the name is none: only the
// exact form, without leading zeros.
int sfc_file_number(std::string_view name);

// The predefined SFC colour (1 black ... 16 darkgray) nearest a CAD colour number: 0-9 as CAD
// shows them, 10-249 by hue and shade, 250-255 the greys.
int sfc_colour_code(int aci);

class SfcSheets final : public EntitySink {
public:
    void line(const LineEntity& e) override;
    void text(const TextEntity& e) override;
    void circle(const CircleEntity& e) override;

    // One file per frame, in the order of the frames. An entity belongs to the frame that holds its
    // anchor (a line's midpoint, a circle's centre, a text's insertion point); one in no frame is on
    // no sheet. `layers` are the layers the drawing file declares; `title` the title block's values.
    std::vector<std::string> files(const SheetFrames& frames, const LayerTable& layers, const TitleInput& title) const;

private:
    enum class Kind { line, circle, text };
    struct Item {
        Kind kind = Kind::line;
        int layer = 0;   // index into layers_
        int colour = 0;  // CAD colour number; 0 or 256: the layer's
        double width = 0;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line ends; circle centre and radius in x2; text insertion point
        // texts
        double height = 0, width_factor = 1, angle = 0;
        bool aligned = false;
        std::string text;
    };
    int layer_index(std::string_view name);
    Item item(Kind kind, std::string_view layer, int colour, double width, double x1, double y1, double x2 = 0,
              double y2 = 0);

    std::vector<std::string> layers_;  // layer names in the order first met
    std::vector<Item> items_;
};

}  // namespace lwall
