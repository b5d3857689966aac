#include "output/dxf/dxf_writer.hpp"

#include <cstring>

#include "core/number_format.hpp"

namespace lwall {

namespace {

std::size_t end_line(char* out, std::size_t n) {
    out[n++] = '\r';
    out[n++] = '\n';
    return n;
}

// "<code> CR LF" at the start of out; the group codes of the sheet are all below 100.
std::size_t put_code(char* out, int code) {
    if (code >= 0 && code < 10) {
        out[0] = static_cast<char>('0' + code);
        return end_line(out, 1);
    }
    if (code >= 10 && code < 100) {
        out[0] = static_cast<char>('0' + code / 10);
        out[1] = static_cast<char>('0' + code % 10);
        return end_line(out, 2);
    }
    return end_line(out, format_int(out, code));
}

}  // namespace

void DxfWriter::integer(int c, long long value) {
    char buf[64];
    std::size_t n = put_code(buf, c);
    n = end_line(buf, n + format_int(buf + n, value));
    sink_.append({buf, n});
}

void DxfWriter::real(int c, double value) {
    char buf[96];
    std::size_t n = put_code(buf, c);
    n = end_line(buf, n + format_fixed(buf + n, value, 5, 0));
    sink_.append({buf, n});
}

void DxfWriter::width(int c, double value) {
    // Every entity repeats the pen width of its layer: keep the text of the last one.
    if (!(value == last_width_ && width_len_ > 0)) {
        last_width_ = value;
        width_len_ = format_fixed(width_text_, value, 5, 3);
    }
    char buf[96];
    std::size_t n = put_code(buf, c);
    std::memcpy(buf + n, width_text_, width_len_);
    n = end_line(buf, n + width_len_);
    sink_.append({buf, n});
}

void DxfWriter::name(int c, std::string_view value) {
    char buf[96];
    const std::size_t n = put_code(buf, c);
    if (value.size() + n + 2 <= sizeof buf) {
        std::memcpy(buf + n, value.data(), value.size());
        sink_.append({buf, end_line(buf, n + value.size())});
        return;
    }
    sink_.append({buf, n});
    sink_.line(value);
}

}  // namespace lwall
