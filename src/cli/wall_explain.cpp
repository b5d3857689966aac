#include "cli/wall_explain.hpp"

#include <algorithm>
#include <optional>

#include "core/number_format.hpp"
#include "core/sjis.hpp"
#include "core/wall_fields.hpp"
#include "input/title_file.hpp"
#include "input/wall_file.hpp"
#include "sheet/run_sheet.hpp"

namespace lwall {

namespace {

constexpr std::size_t kNameWidth = 20;
constexpr std::size_t kValueWidth = 9;

void pad_to(std::string& out, std::size_t start, std::size_t width) {
    if (out.size() - start < width) out.append(width - (out.size() - start), ' ');
}

// The catalogue's Japanese labels are UTF-8; every one of them is in Shift_JIS.
std::string sjis(const std::string& utf8) { return utf8_to_sjis(utf8).value_or(utf8); }

}  // namespace

WallExplanation explain_wall(std::string_view wall_text) {
    const WallReading reading = read_wall_file(wall_text);
    std::optional<RunFailure> refusal = reading.refusal;
    if (!refusal) {
        try {
            check_wall_input(reading.input);
        } catch (const RunFailure& f) {
            refusal = f;
        }
    }
    const std::vector<WallField>& fields = wall_fields();
    // On a refused reading, the fields the reader got to; the line it stopped on is the refusal's.
    const std::size_t shown = reading.refusal ? static_cast<std::size_t>(reading.fields_seen) : fields.size();
    const int stopped_line = shown > 0 && reading.refusal ? fields[shown - 1].line : 0;

    WallExplanation e;
    std::string& out = e.text;
    int group = -1;
    for (std::size_t k = 0; k < shown; ++k) {
        const WallField& f = fields[k];
        if (f.group != group) {
            group = f.group;
            const WallFieldGroup& g = field_groups()[group];
            out += "# " + sjis(g.label_ja) + " / " + g.label_en + "\n";
        }
        const std::size_t start = out.size();
        int line = reading.input.source_line[f.line];
        if (line == 0 && f.line == stopped_line) line = reading.refusal->line;
        out += "line ";
        out += line != 0 ? std::to_string(line) : "-";
        pad_to(out, start, 9);
        const std::size_t name_at = out.size();
        out += f.name;
        pad_to(out, name_at, kNameWidth);
        const bool refused_here = reading.refusal && !reading.given[k] && f.name == reading.refusal->field;
        std::string value;
        if (refused_here) value = "?";
        else value = std::string(TextBuf().plain(wall_field_value(reading.input, f)).view());
        out.append(value.size() < kValueWidth ? kValueWidth - value.size() : 1, ' ');
        out += value;
        out += ' ';
        const std::size_t unit_at = out.size();
        out += f.unit.empty() ? "-" : f.unit;
        pad_to(out, unit_at, 4);
        out += sjis(f.label_ja) + " / " + f.label_en;
        if (refused_here) out += "  (refused)";
        else if (!reading.given[k]) out += "  (not in the file: 0)";
        if (!f.used) out += "  (not used)";
        out += "\n";
    }
    if (refusal) {
        out += refusal->message + "\n";
        e.status = refusal->status;
    }
    return e;
}

WallExplanation explain_title(std::optional<std::string_view> title_text) {
    const std::string default_name(kDefaultDrawingName);
    WallExplanation e;
    std::string& out = e.text;
    if (!title_text) {
        out += "# " + std::string(kTitleFileName) + ": not in the folder; the title block's boxes stay empty, " +
               sjis(kTitleItems[kDrawingName].label_ja) + " reads " + default_name + "\n";
        return e;
    }
    const TitleReading reading = read_title_file(*title_text);
    out += "# " + std::string(kTitleFileName) + "\n";
    const WallFieldGroup& g = field_groups()[title_fields().front().group];
    out += "# " + sjis(g.label_ja) + " / " + g.label_en + "\n";
    // On a refusal, the lines before the refused one.
    const int shown = reading.refusal ? std::min(reading.lines_read - 1, kTitleFileLines) : kTitleFileLines;
    for (int k = 0; k < shown; ++k) {
        const WallField& f = title_fields()[static_cast<std::size_t>(k)];
        const std::size_t start = out.size();
        out += "line " + std::to_string(f.line);
        pad_to(out, start, 9);
        const std::size_t name_at = out.size();
        out += f.name;
        pad_to(out, name_at, kNameWidth);
        const std::string& v = reading.input.values[static_cast<std::size_t>(f.index)];
        if (!v.empty()) out += "\"" + v + "\"";
        else if (f.index == kDrawingName) out += "(empty: " + default_name + ")";
        else out += "(empty)";
        out += "  " + sjis(f.label_ja) + " / " + f.label_en + "\n";
    }
    if (reading.refusal) {
        out += reading.refusal->message + "\n";
        e.status = reading.refusal->status;
    }
    return e;
}

}  // namespace lwall
