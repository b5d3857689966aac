#include "input/layer_file.hpp"

#include <string>
#include <type_traits>

#include "core/run_failure.hpp"
#include "input/text_scan.hpp"

namespace lwall {

namespace {

constexpr std::string_view kFile = "GasouL.dat";

// A value of the file: its name in messages ("row 2 colour") and its Japanese label.
struct LayerField {
    std::string name;
    std::string label_ja;
};

LayerField row_field(int row, msg::LayerPart part) { return {msg::layer_row_name(row, part), msg::layer_row_label(row, part)}; }

[[noreturn]] void refuse(int line, const LayerField& field, const Message& what) {
    throw input_refusal({kFile, line, field.name, field.label_ja}, what);
}

// Reads one number of a row that began on line row_line.
template <typename T>
void read_number(TextCursor& cur, int row_line, const LayerField& field, T& out) {
    cur.skip_white();
    if (cur.at_end()) refuse(row_line, field, msg::layer_file_ends_in_row());
    const int line = cur.line;
    const std::string_view token = cur.token(false);
    constexpr bool whole = std::is_same_v<T, int>;
    ScanError e = ScanError::none;
    if constexpr (whole) e = scan_int(token, out);
    else e = scan_real(token, out);
    if (e != ScanError::none) refuse(line, field, describe_scan_error(e, token, whole));
}

}  // namespace

LayerTable read_layer_table(std::string_view text) {
    LayerTable table;
    TextCursor cur{text};
    cur.skip_white();
    if (cur.at_end()) return table;  // an empty file defines no layer
    const LayerField count{"layer count", msg::layer_count_label()};
    read_number(cur, cur.line, count, table.declared_count);
    if (table.declared_count < 0) refuse(cur.line, count, msg::negative_layer_count(table.declared_count));
    for (int i = 1; i <= table.declared_count; ++i) {
        cur.skip_white();
        if (cur.at_end()) break;  // the file holds fewer rows than its count: keep those it holds
        const int row_line = cur.line;
        LayerRow r;
        read_number(cur, row_line, row_field(i, msg::LayerPart::colour), r.colour);
        read_number(cur, row_line, row_field(i, msg::LayerPart::line_type), r.linetype);
        read_number(cur, row_line, row_field(i, msg::LayerPart::pen_width), r.width);
        cur.skip_white();
        if (cur.at_end()) refuse(row_line, row_field(i, msg::LayerPart::name), msg::layer_file_ends_in_row());
        r.name = std::string(cur.token(false));
        // A layer's name stands on every SXF sheet, inside the comment of its feature.
        if (r.name.find("*/") != std::string::npos) refuse(row_line, row_field(i, msg::LayerPart::name), msg::ends_sheet_comment());
        table.rows.push_back(std::move(r));
    }
    return table;
}

}  // namespace lwall
