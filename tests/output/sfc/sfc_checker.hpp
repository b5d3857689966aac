#pragma once
// A strict reader of SXF sheets in their feature comment form (SFC), written from the public
// description of SXF Ver.3.1 and stricter than a CAD program needs to be, so that a sheet it passes
// opens in any of them:
// - the envelope: ISO-10303-21 with its HEADER (the SFC description, a FILE_NAME of seven fields
//   whose fifth ends in $$3.1, the schema ASSOCIATIVE_DRAUGHTING) and a DATA section of comment
//   blocks, one feature each, /*SXF ... SXF*/ (/*SXF3 ... SXF3*/ for the drawing attribute); CR LF;
// - every feature: its parameter count and types (\'strings\', 'numbers' without exponents,
//   lengths to at most six decimals), unique ids;
// - the codes: layers, colours, line types, widths and text fonts declared before their use and
//   within their tables, predefined names only;
// - the ranges: angles 0 <= a < 360, slant within 85 degrees, positive sizes, base point 1-9,
//   direction, flags, sheet type and orientation, a month and a day;
// - the order: the tables first; the members of a part drawing before its sfig_org, its
//   sfig_locate after it; one drawing sheet, the last feature;
// - Shift_JIS: every byte of the file part of a character, names and texts at most 256 bytes and
//   never empty.

#include <string>
#include <string_view>
#include <vector>

namespace lwall::test {

struct SfcParam {
    bool is_string = false;
    std::string text;  // a string unescaped (Shift_JIS), a number as written
    double number = 0;
};

struct SfcFeature {
    long id = 0;
    std::string name;
    std::vector<SfcParam> params;
    const std::string& str(std::size_t i) const { return params[i].text; }
    double num(std::size_t i) const { return params[i].number; }
};

struct SfcReading {
    std::vector<std::string> faults;  // empty when the file is sound
    std::vector<std::string> header;  // the HEADER section's lines
    std::vector<SfcFeature> features;
};

SfcReading read_sfc(std::string_view file);

}  // namespace lwall::test
