// Prints the README's tables of an input file (PlenkL.dat, HyodaiL.dat or SekkeiL.dat) from the field catalogue,
// so that the README never spells the fields out by hand. tools/readme_fields.cmake checks the README against it (a
// test) and writes it in (the target update_readme_fields).

#include <cstdio>
#include <string>
#include <vector>

#include "core/number_format.hpp"
#include "core/wall_fields.hpp"

namespace {

// The values a design condition takes: "more than 0, at most 30" ("0 より大きく 30 以下").
std::string range_of(const lwall::WallField& f, bool ja = false) {
    if (f.file != lwall::InputFile::conditions || f.part == lwall::FieldPart::condition_grade) return "";
    const auto n = [](double v) { return std::string(lwall::TextBuf().plain(v).view()); };
    const bool high = f.range.high < 1e6;
    if (ja) {
        std::string s = "。" + n(f.range.low) + (f.range.low_open ? " より大きく" : " 以上");
        if (high) s += " " + n(f.range.high) + (f.range.high_open ? " 未満" : " 以下");
        return s;
    }
    std::string s = (f.range.low_open ? "; more than " : "; at least ") + n(f.range.low);
    if (high) s += (f.range.high_open ? ", less than " : ", at most ") + n(f.range.high);
    return s;
}

std::string lines_of(const std::vector<const lwall::WallField*>& fields) {
    const int first = fields.front()->line;
    const int last = fields.back()->line;
    return first == last ? std::to_string(first) : std::to_string(first) + "–" + std::to_string(last);
}

}  // namespace

// Usage: readme_fields wall|title|conditions
int main(int argc, char** argv) {
    using namespace lwall;
    const std::string which = argc > 1 ? argv[1] : "wall";
    const InputFile file = which == "title" ? InputFile::title : which == "conditions" ? InputFile::conditions : InputFile::wall;
    const auto& groups = field_groups();
    std::vector<std::vector<const WallField*>> by_group(groups.size());
    for (const WallField& f : input_fields(file)) by_group[f.group].push_back(&f);
    std::string out;
    out += "| Lines | Group | Fields |\n|---|---|---|\n";
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (groups[g].file != file) continue;
        // A run of indexed fields is written as its first and last: `W1.pitch[1]` … `W1.pitch[5]`.
        std::string names;
        const auto& fs = by_group[g];
        for (std::size_t k = 0; k < fs.size(); ++k) {
            const std::string base = fs[k]->name.substr(0, fs[k]->name.find('['));
            std::size_t last = k;
            while (fs[k]->file == InputFile::wall && fs[k]->index > 0 && last + 1 < fs.size() &&
                   fs[last + 1]->name.starts_with(base + "[")) {
                ++last;
            }
            names += (names.empty() ? "" : ", ") + ("`" + fs[k]->name + "`");
            if (last > k) names += " … `" + fs[last]->name + "`";
            k = last;
        }
        out += "| " + lines_of(by_group[g]) + " | " + groups[g].label_en + " (" + groups[g].label_ja + ") | " +
               names + " |\n";
    }
    out += "\n<details><summary>Every field: line, name, kind, unit, labels and meaning</summary>\n\n";
    out += "| Line | Field | Kind | Unit | 名称 | Label | Meaning | 意味 |\n|---|---|---|---|---|---|---|---|\n";
    for (const WallField& f : input_fields(file)) {
        const char* kind = f.kind == FieldKind::whole ? "whole" : f.kind == FieldKind::text ? "text" : "decimal";
        out += "| " + std::to_string(f.line) + " | `" + f.name + "` | " + kind + " | " + f.unit + " | " + f.label_ja +
               " | " + f.label_en + " | " + f.meaning + range_of(f) + (f.used ? "" : " (not used)") + " | " +
               f.meaning_ja + range_of(f, true) + (f.used ? "" : " (使われない)") + " |\n";
    }
    out += "\n</details>\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
