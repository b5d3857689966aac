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
