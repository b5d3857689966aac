#pragma once
// The layer definitions of GasouL.dat and the current pen that every entity is drawn with.

#include <string>
#include <string_view>
#include <vector>

namespace lwall {

struct LayerRow {
    int colour = 0;      // colour number of the LAYER table and of LINE entities
    int linetype = 0;    // 1 CONTINUOUS, 2 HIDDEN, 3 CENTER, 4 PHANTOM, 5 DOT
    double width = 0;    // pen width in paper millimetres (group 39 of every entity)
    std::string name;    // kept whole, however long
};

// The rows in file order. The file's count may promise more rows than it holds: only the rows
// actually present are kept, so that no layer without a name reaches the drawing.
struct LayerTable {
    int declared_count = 0;
    std::vector<LayerRow> rows;
};

// The layers of the title block, after the national layer convention: its border, its inner lines
// and its texts. A layer file that does not list them gets these pens (white, continuous; 0.70,
// 0.35 and 0.25 mm), so that the drawing file still declares every layer it uses.
struct DefaultLayer {
    std::string_view name;
    int colour;
    int linetype;
    double width;
};
inline constexpr DefaultLayer kTitleBlockLayers[] = {
    {"D-TTL-FRAM", 7, 1, 0.70},
    {"D-TTL-LINE", 7, 1, 0.35},
    {"D-TTL-TXT", 7, 1, 0.25},
};

// The layer file's rows, followed by the title block's layers it does not list.
LayerTable with_title_block_layers(const LayerTable& table);

struct CurrentPen {
    std::string layer;
    int colour = 0;
    double width = 0;
};

// Selects the layer `name`; the first row of that exact name gives colour and width, and when no
// row carries it they keep their previous values.
void pen_select_layer(CurrentPen& pen, const LayerTable& table, std::string_view name);

// Selects the layer `name` with a colour word (赤 黄 緑 空 青 紫 黒, Shift_JIS) and an explicit
// width, without consulting the layer table; an unknown word keeps the previous colour.
void pen_by_colour_name(CurrentPen& pen, std::string_view name, std::string_view colour_word, double width);

}  // namespace lwall
