#include "cli/wall_explain.hpp"

#include <algorithm>
#include <optional>

#include "core/number_format.hpp"
#include "core/sjis.hpp"
#include "core/wall_fields.hpp"
#include "design/design_text.hpp"
#include "input/conditions_file.hpp"
#include "input/title_file.hpp"
#include "input/wall_file.hpp"
#include "sheet/run_sheet.hpp"

namespace lwall {

namespace {

constexpr std::size_t kNameWidth = 20;
constexpr std::size_t kValueWidth = 9;

// The columns UTF-8 text takes on a console: two for a character of three bytes (kanji, kana),
// one for any other.
std::size_t columns(std::string_view utf8) {
    std::size_t n = 0;
    for (const char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) n += 1;
        else if ((b & 0xF0) == 0xE0) n += 2;
        else if ((b & 0xC0) != 0x80) n += 1;
    }
    return n;
}

void pad_to(std::string& out, std::size_t start, std::size_t width) {
    const std::size_t used = columns(std::string_view(out).substr(start));
    if (used < width) out.append(width - used, ' ');
}

}  // namespace

WallExplanation explain_wall(std::string_view wall_text, Lang lang) {
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
            out += "# " + g.label_ja + " / " + g.label_en + "\n";
        }
        const std::size_t start = out.size();
        int line = reading.input.source_line[f.line];
        if (line == 0 && f.line == stopped_line) line = reading.refusal->line;
        out += msg::explain_line_word(lang);
        out += line != 0 ? std::to_string(line) : "-";
        pad_to(out, start, 9);
        const std::size_t name_at = out.size();
        out += f.name;
        pad_to(out, name_at, kNameWidth);
        // A refused value that was read (a zone count out of range, a line with more after it) shows
        // as read; one that could not be read shows as "?". Either way it is marked refused.
        const bool refused_here = reading.refusal && f.name == reading.refusal->field;
        std::string value;
        if (refused_here && !reading.given[k]) value = "?";
        else value = std::string(TextBuf().plain(wall_field_value(reading.input, f)).view());
        out.append(value.size() < kValueWidth ? kValueWidth - value.size() : 1, ' ');
        out += value;
        out += ' ';
        const std::size_t unit_at = out.size();
        out += f.unit.empty() ? "-" : f.unit;
        pad_to(out, unit_at, 4);
        out += f.label_ja + " / " + f.label_en;
        if (refused_here) out += "  " + msg::explain_refused().in(lang);
        else if (!reading.given[k]) out += "  " + msg::explain_not_in_file().in(lang);
        if (!f.used) out += "  " + msg::explain_not_used().in(lang);
        out += "\n";
    }
    if (refusal) {
        out += refusal->details().in(lang) + "\n";
        e.status = refusal->status;
    }
    return e;
}

WallExplanation explain_title(std::optional<std::string_view> title_text, Lang lang) {
    const std::string default_name = sjis_to_utf8(kDefaultDrawingName);
    WallExplanation e;
    std::string& out = e.text;
    if (!title_text) {
        out += "# " + std::string(kTitleFileName) + ": " + msg::explain_no_title_file(default_name).in(lang) + "\n";
        return e;
    }
    const TitleReading reading = read_title_file(*title_text);
    out += "# " + std::string(kTitleFileName) + "\n";
    const WallFieldGroup& g = field_groups()[title_fields().front().group];
    out += "# " + g.label_ja + " / " + g.label_en + "\n";
    // On a refusal, the lines before the refused one.
    const int shown = reading.refusal ? std::min(reading.lines_read - 1, kTitleFileLines) : kTitleFileLines;
    for (int k = 0; k < shown; ++k) {
        const WallField& f = title_fields()[static_cast<std::size_t>(k)];
        const std::size_t start = out.size();
        out += msg::explain_line_word(lang) + std::to_string(f.line);
        pad_to(out, start, 9);
        const std::size_t name_at = out.size();
        out += f.name;
        pad_to(out, name_at, kNameWidth);
        const std::string& v = reading.input.values[static_cast<std::size_t>(f.index)];
        if (!v.empty()) out += "\"" + sjis_to_utf8(v) + "\"";
        else if (f.index == kDrawingName) out += msg::explain_empty_default(default_name).in(lang);
        else out += msg::explain_empty().in(lang);
        out += "  " + f.label_ja + " / " + f.label_en + "\n";
    }
    if (reading.refusal) {
        out += reading.refusal->details().in(lang) + "\n";
        e.status = reading.refusal->status;
    }
    return e;
}

WallExplanation explain_conditions(std::optional<std::string_view> conditions_text, Lang lang) {
    WallExplanation e;
    std::string& out = e.text;
    if (!conditions_text || conditions_text->empty()) {
        out += "# " + std::string(kConditionsFileName) + ": " + msg::explain_no_conditions_file().in(lang) + "\n";
        return e;
    }
    const ConditionsReading reading = read_conditions_file(*conditions_text);
    out += "# " + std::string(kConditionsFileName) + "\n";
    const WallFieldGroup& g = field_groups()[condition_fields().front().group];
    out += "# " + g.label_ja + " / " + g.label_en + "\n";
    const int shown = reading.refusal ? std::min(reading.refusal->line - 1, kConditionsFileLines) : kConditionsFileLines;
    for (int k = 0; k < shown; ++k) {
        const WallField& f = condition_fields()[static_cast<std::size_t>(k)];
        const std::size_t start = out.size();
        out += msg::explain_line_word(lang) + std::to_string(f.line);
        pad_to(out, start, 9);
        const std::size_t name_at = out.size();
        out += f.name;
        pad_to(out, name_at, kNameWidth + 2);
        const std::string value = condition_value_text(reading.conditions, f);
        out.append(value.size() < kValueWidth ? kValueWidth - value.size() : 1, ' ');
        out += value + ' ';
        const std::size_t unit_at = out.size();
        out += f.unit.empty() ? "-" : f.unit;
        pad_to(out, unit_at, 6);
        out += f.label_ja + " / " + f.label_en;
        if (!reading.conditions.given[static_cast<std::size_t>(k)]) out += "  " + msg::explain_default(f.default_text).in(lang);
        out += "\n";
    }
    if (reading.refusal) {
        out += reading.refusal->details().in(lang) + "\n";
        e.status = reading.refusal->status;
    }
    return e;
}

}  // namespace lwall
