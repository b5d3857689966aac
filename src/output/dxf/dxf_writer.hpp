#pragma once
// The lowest layer of the drawing file: a DXF record is a list of "group code, then value"
// pairs, and this writer knows only the three value formats of the sheet. Entity and table
// writers are short lists of these calls; none of them formats a number itself.

#include <string_view>

#include "output/output_sink.hpp"

namespace lwall {

class DxfWriter {
public:
    explicit DxfWriter(OutputSink& sink) : sink_(sink) {}

    // One bare line: an entity or table name, or the "0" that precedes the next record.
    void line(std::string_view s) { sink_.line(s); }
    // Group code and an integer value, both "%d".
    void integer(int code, long long value);
    // Group code and a real value, "%5.0lf" (whole number, five wide, halves away from zero).
    void real(int code, double value);
    // Group code and a pen width, "%5.3lf".
    void width(int code, double value);
    // Group code and a name or text, "%s".
    void name(int code, std::string_view value);

private:
    OutputSink& sink_;
    double last_width_ = 0;
    char width_text_[48] = {};
    std::size_t width_len_ = 0;
};

}  // namespace lwall
