#include "input/layer_file.hpp"

#include <string>
#include <type_traits>

#include "core/run_failure.hpp"
#include "input/text_scan.hpp"

namespace lwall {

namespace {

constexpr std::string_view kFile = "GasouL.dat";

[[noreturn]] void refuse(int line, const std::string& field, const std::string& what) {
    throw input_refusal(kFile, line, field, what);
}

// Reads one number of a row that began on line row_line.
template <typename T>
void read_number(TextCursor& cur, int row_line, const std::string& field, T& out) {
    cur.skip_white();
    if (cur.at_end()) refuse(row_line, field, "the file ends in the middle of a layer row");
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
    read_number(cur, cur.line, "layer count", table.declared_count);
    if (table.declared_count < 0) {
        refuse(cur.line, "layer count", "must be 0 or more, found " + std::to_string(table.declared_count));
    }
    for (int i = 1; i <= table.declared_count; ++i) {
        cur.skip_white();
        if (cur.at_end()) break;  // the file holds fewer rows than its count: keep those it holds
        const std::string row = "row " + std::to_string(i) + " ";
        const int row_line = cur.line;
        LayerRow r;
        read_number(cur, row_line, row + "colour", r.colour);
        read_number(cur, row_line, row + "line type", r.linetype);
        read_number(cur, row_line, row + "pen width", r.width);
        cur.skip_white();
        if (cur.at_end()) refuse(row_line, row + "name", "the file ends in the middle of a layer row");
        r.name = std::string(cur.token(false));
        table.rows.push_back(std::move(r));
    }
    return table;
}

}  // namespace lwall
