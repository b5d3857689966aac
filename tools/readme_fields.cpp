// Prints the README's tables of an input file (PlenkL.dat, or HyodaiL.dat) from the field catalogue,
// so that the README never spells the fields out by hand. tools/readme_fields.cmake checks the README against it (a
// test) and writes it in (the target update_readme_fields).

#include <cstdio>
#include <string>
#include <vector>

#include "core/wall_fields.hpp"

namespace {

std::string lines_of(const std::vector<const lwall::WallField*>& fields) {
    const int first = fields.front()->line;
    const int last = fields.back()->line;
    return first == last ? std::to_string(first) : std::to_string(first) + "–" + std::to_string(last);
}

}  // namespace

// Usage: readme_fields wall|title
int main(int argc, char** argv) {
    using namespace lwall;
    const InputFile file = argc > 1 && std::string(argv[1]) == "title" ? InputFile::title : InputFile::wall;
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
            while (fs[k]->part != FieldPart::title_text && fs[k]->index > 0 && last + 1 < fs.size() &&
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
               " | " + f.label_en + " | " + f.meaning + (f.used ? "" : " (not used)") + " | " + f.meaning_ja +
               (f.used ? "" : " (使われない)") + " |\n";
    }
    out += "\n</details>\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
