#include "core/layer_table.hpp"

#include "core/sjis.hpp"

namespace lwall {

LayerTable with_title_block_layers(const LayerTable& table) {
    LayerTable out = table;
    for (const DefaultLayer& d : kTitleBlockLayers) {
        bool listed = false;
        for (const LayerRow& r : table.rows) listed = listed || r.name == d.name;
        if (!listed) out.rows.push_back({d.colour, d.linetype, d.width, std::string(d.name)});
    }
    return out;
}

void pen_select_layer(CurrentPen& pen, const LayerTable& table, std::string_view name) {
    pen.layer.assign(name);
    for (const LayerRow& r : table.rows) {
        if (r.name == name) {
            pen.colour = r.colour;
            pen.width = r.width;
            return;
        }
    }
}

void pen_by_colour_name(CurrentPen& pen, std::string_view name, std::string_view colour_word, double width) {
    // Colour numbers 1 ... 7 in order.
    static constexpr std::string_view kWords[] = {u8"赤"_sj, u8"黄"_sj, u8"緑"_sj, u8"空"_sj,
                                                  u8"青"_sj, u8"紫"_sj, u8"黒"_sj};
    pen.layer.assign(name);
    for (int i = 0; i < 7; ++i) {
        if (colour_word == kWords[i]) pen.colour = i + 1;
    }
    pen.width = width;
}

}  // namespace lwall
