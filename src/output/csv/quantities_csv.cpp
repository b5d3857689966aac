#include "output/csv/quantities_csv.hpp"

#include <string_view>

#include "core/sjis.hpp"

namespace lwall {

std::string csv_cell(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.find_first_of(",\"") == std::string_view::npos) return std::string(text);
    std::string q = "\"";
    for (char c : text) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

namespace {

std::string cell(std::string_view text) { return csv_cell(text); }

void row(std::string& out, std::string_view table, const std::vector<std::string>& cells) {
    out += table;
    for (const std::string& c : cells) out += "," + cell(c);
    out += "\r\n";
}

// A block whose rows share one basis, written as the last cell of every row.
void block(std::string& out, std::string_view table, std::string_view header,
           const std::vector<std::vector<std::string>>& rows, std::string_view basis) {
    out += header;
    out += "\r\n";
    for (auto r : rows) {
        r.emplace_back(basis);
        row(out, table, r);
    }
}

}  // namespace

std::string quantities_csv(const PrintedTables& tables) {
    std::string out;
    block(out, u8"鉄筋加工図"_sj,
          u8"表,種別,形式,径,本数,長さ(mm),Ｌ１(mm),Ｌ２(mm),Ｌ３(mm),基準"_sj, tables.schedule,
          tables.schedule_basis);
    out += "\r\n";
    block(out, u8"鉄筋質量表"_sj,
          u8"表,種別,径,長さ(mm),本数,単位質量(kg/m),１本当り質量(kg),質量(kg),基準"_sj, tables.mass,
          tables.mass_basis);
    out += "\r\n";
    // Each quantity of the material table carries its own basis, its last cell.
    out += u8"表,種別,細別,単位,数量,摘要,基準"_sj;
    out += "\r\n";
    for (const auto& r : tables.material) row(out, u8"材料表"_sj, r);
    return out;
}

}  // namespace lwall
