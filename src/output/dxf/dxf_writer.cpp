#include "output/dxf/dxf_writer.hpp"

#include "output/number_format.hpp"

namespace lwall {

void DxfWriter::code(int code) {
    char buf[24];
    sink_.line({buf, format_int(buf, code)});
}

void DxfWriter::integer(int c, long long value) {
    code(c);
    char buf[24];
    sink_.line({buf, format_int(buf, value)});
}

void DxfWriter::real(int c, double value) {
    code(c);
    char buf[48];
    sink_.line({buf, format_fixed(buf, value, 5, 0)});
}

void DxfWriter::width(int c, double value) {
    code(c);
    char buf[48];
    sink_.line({buf, format_fixed(buf, value, 5, 3)});
}

void DxfWriter::name(int c, std::string_view value) {
    code(c);
    sink_.line(value);
}

}  // namespace lwall
