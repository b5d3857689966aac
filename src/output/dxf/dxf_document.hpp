#pragma once
// Everything of Lwall.dxf that is not an entity: the TABLES section (line types, layers, text
// styles), the lines that open the ENTITIES section and the document end.

#include <string_view>

#include "core/layer_table.hpp"
#include "output/dxf/dxf_writer.hpp"

namespace lwall {

// The document head and the LTYPE table.
void dxf_ltype_table(DxfWriter& out);

// The LAYER table: one entry per row of the layer definitions.
void dxf_layer_table(DxfWriter& out, const LayerTable& table);

// The text style a text without a style of its own falls back to, the first of the STYLE table.
inline constexpr std::string_view kStandardTextStyle = "STANDARD";

// The STYLE table: STANDARD and KANJI.
void dxf_style_table(DxfWriter& out);

// Closes TABLES, opens ENTITIES and writes the "0" that precedes the first entity.
void dxf_open_entities(DxfWriter& out);

// Closes ENTITIES and the document (the "0" before ENDSEC is the last entity's).
void dxf_document_end(DxfWriter& out);

}  // namespace lwall
