// What a checker reads off the sheet besides the drawings: each view's scale beside its title (a
// table's "(縮尺なし)"), and the notes with the materials of SekkeiL.dat, the lap and anchorage of
// every bar size on the sheet, read back from the written drawing file.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/sjis.hpp"
#include "sheet/random_walls.hpp"
#include "sheet/run_sheet.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

using test::DxfEntity;

std::vector<DxfEntity> texts_of(const std::string& dxf) {
    std::vector<DxfEntity> out;
    for (DxfEntity& e : test::file_entities(dxf)) {
        if (e.type == "TEXT") out.push_back(std::move(e));
    }
    return out;
}

double rotation(const DxfEntity& t) {
    for (const auto& [code, value] : t.groups) {
        if (code == 50) return std::stod(value);
    }
    return 0;
}

int frame_scale(const SheetResult& s, double x) {
    for (const SheetFrame& f : s.frames) {
        if (x >= f.x && x <= f.x + f.width) return static_cast<int>(f.scale);
    }
    return 0;
}

// The text that follows `title` on its baseline within `gap` of its end, or null.
const DxfEntity* beside(const std::vector<DxfEntity>& texts, const DxfEntity& title, double gap) {
    const double h = title.num(40);
    const double length = static_cast<double>(title.get(1).size()) * h / 2;
    const bool upright = rotation(title) == 90;
    const double along = upright ? title.num(20) : title.num(10);
    const double across = upright ? title.num(10) : title.num(20);
    for (const DxfEntity& t : texts) {
        if (&t == &title || rotation(t) != rotation(title)) continue;
        const double a = upright ? t.num(20) : t.num(10);
        const double c = upright ? t.num(10) : t.num(20);
        if (std::abs(c - across) < 1 && a >= along + length && a <= along + length + gap) return &t;
    }
    return nullptr;
}

TEST(SheetScales, EveryViewStatesItsFramesScaleBesideItsTitleAndEveryTableThatItIsNotToScale) {
    const std::vector<std::string_view> views = {u8"た　て　壁"_sj, u8"鉄 筋 組 立 図"_sj, u8"底　版"_sj,
                                                 u8"鉄 筋 加 工 図"_sj};  // the bending drawings' (400 high)
    const std::vector<std::string_view> tables = {u8"鉄 筋 質 量 表"_sj, u8"材 料 表"_sj,
                                                  u8"鉄 筋 加 工 図"_sj};  // the schedule's (350 high)
    std::vector<std::string> walls = {test::example_file("level", "PlenkL.dat"),
                                      test::example_file("sloped", "PlenkL.dat"),
                                      test::example_wall_with("sloped", {{3, "12000,12000"}, {6, "100,100,16000"}})};
    test::WallMaker maker(60611);
    for (int n = 0; n < 12; ++n) walls.push_back(maker.next());
    int drawn = 0;
    std::map<int, int> scales;
    for (const std::string& wall : walls) {
        const SheetResult s = run_sheet(wall, test::example_file("level", "GasouL.dat"), "", SheetRequest{});
        if (s.status != 0) continue;
        ++drawn;
        SCOPED_TRACE(wall);
        const std::vector<DxfEntity> texts = texts_of(s.dxf);
        for (const std::string_view title : views) {
            const auto t = std::find_if(texts.begin(), texts.end(), [&](const DxfEntity& e) {
                return e.get(1) == title && (title != u8"鉄 筋 加 工 図"_sj || e.num(40) == 400);
            });
            ASSERT_NE(t, texts.end()) << sjis_to_utf8(title);
            const DxfEntity* scale = beside(texts, *t, 600);
            ASSERT_NE(scale, nullptr) << sjis_to_utf8(title);
            const int n = frame_scale(s, t->num(10));
            EXPECT_EQ(scale->get(1), "S=1:" + std::to_string(n)) << sjis_to_utf8(title);
            ++scales[n];
        }
        for (const std::string_view title : tables) {
            const auto t = std::find_if(texts.begin(), texts.end(), [&](const DxfEntity& e) {
                return e.get(1) == title && (title != u8"鉄 筋 加 工 図"_sj || e.num(40) == 350);
            });
            ASSERT_NE(t, texts.end()) << sjis_to_utf8(title);
            const DxfEntity* note = beside(texts, *t, 600);
            ASSERT_NE(note, nullptr) << sjis_to_utf8(title);
            EXPECT_EQ(note->get(1), std::string(u8"(縮尺なし)"_sj)) << sjis_to_utf8(title);
        }
        // The section's own title holds its scale.
        EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                                [&](const DxfEntity& e) {
                                    return e.get(1).starts_with(u8"断　面　図　S=1:"_sj) &&
                                           std::stoi(e.get(1).substr(e.get(1).find(':') + 1)) ==
                                               frame_scale(s, e.num(10));
                                }),
                  1);
    }
    EXPECT_GE(drawn, 10);
    EXPECT_GE(scales.size(), 2u);  // more than one scale among the walls
}

// The notes' texts, in order, from the title "注　記" on.
std::vector<std::string> notes_of(const std::string& dxf) {
    const std::vector<DxfEntity> texts = texts_of(dxf);
    const auto title = std::find_if(texts.begin(), texts.end(),
                                    [](const DxfEntity& e) { return e.get(1) == std::string(u8"注　記"_sj); });
    std::vector<std::string> out;
    if (title == texts.end()) return out;
    for (auto t = title + 1; t != texts.end() && t->get(8) == "D-MTR-TXT"; ++t) out.push_back(sjis_to_utf8(t->get(1)));
    return out;
}

TEST(SheetNotes, TheMaterialsComeFromTheDesignConditionsOrTheDefaults) {
    const std::string wall = test::example_file("sloped", "PlenkL.dat");
    const std::string layers = test::example_file("level", "GasouL.dat");
    struct Case {
        const char* conditions;
        const char* line;
    };
    const Case cases[] = {
        {"", "2. 使用材料　鉄筋 SD345　コンクリート σck=24 N/mm2"},
        {"\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n27\r\nSD295\r\n", "2. 使用材料　鉄筋 SD295　コンクリート σck=27 N/mm2"},
        {"18\n30\n0\n0\n10\n0\n0.15\n0.6\n300\n450\n24.5\n21.5\n", "2. 使用材料　鉄筋 SD345　コンクリート σck=21.5 N/mm2"},
    };
    for (const Case& c : cases) {
        const SheetResult s = run_sheet(wall, layers, "", *utf8_to_sjis(c.conditions), SheetRequest{});
        ASSERT_EQ(s.status, 0) << s.message.en;
        const std::vector<std::string> notes = notes_of(s.dxf);
        ASSERT_GE(notes.size(), 2u);
        EXPECT_EQ(notes[0], "1. 寸法の単位は mm とする。");
        EXPECT_EQ(notes[1], c.line);
    }
    // A value the notes would state, refused: named by file, line and field, and nothing drawn.
    const SheetResult refused = run_sheet(wall, layers, "", "\n\n\n\n\n\n\n\n\n\n\n\nSD390\n", SheetRequest{});
    EXPECT_EQ(refused.status, 6);
    EXPECT_NE(refused.message.en.find("SekkeiL.dat"), std::string::npos) << refused.message.en;
    EXPECT_NE(refused.message.en.find("steel_grade"), std::string::npos) << refused.message.en;
    EXPECT_TRUE(test::file_entities(refused.dxf).empty());
}

TEST(SheetNotes, EveryBarSizeOnTheSheetHasItsLapAndAnchorage) {
    // Lap: 31.25 d rounded down to 10 mm, as the bending drawings state it; anchorage of a wall bar in
    // the footing: 31.25 d rounded up to 10 mm.
    const std::map<std::string, std::pair<std::string, std::string>> rule = {
        {"D13", {"400", "410"}},   {"D16", {"500", "500"}},   {"D19", {"590", "600"}},   {"D22", {"680", "690"}},
        {"D25", {"780", "790"}},   {"D29", {"900", "910"}},   {"D32", {"1000", "1000"}}, {"D35", {"1090", "1100"}},
        {"D38", {"1180", "1190"}}, {"D41", {"1280", "1290"}}, {"D51", {"1590", "1600"}}};
    test::WallMaker maker(30211);
    int drawn = 0;
    std::map<std::string, int> seen;
    for (int n = 0; n < 60; ++n) {
        const std::string wall = maker.next();
        const SheetResult s = run_sheet(wall, test::example_file("level", "GasouL.dat"), "", SheetRequest{});
        if (s.status != 0) continue;
        ++drawn;
        SCOPED_TRACE(wall);
        // The sizes of the mass table: its rows' second column.
        std::vector<std::string> sizes;
        for (const DxfEntity& t : texts_of(s.dxf)) {
            const std::string& v = t.get(1);
            if (t.get(8) == "D-MTR-MTXT" && v.size() >= 3 && v[0] == 'D' && rule.count(v) != 0) sizes.push_back(v);
        }
        std::sort(sizes.begin(), sizes.end(), [](const std::string& a, const std::string& b) {
            return std::stoi(a.substr(1)) < std::stoi(b.substr(1));
        });
        sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
        // The notes' table: a size, its lap, its anchorage, one size a row after the headings.
        const std::vector<std::string> notes = notes_of(s.dxf);
        const auto heading = std::find(notes.begin(), notes.end(), "定着長");
        ASSERT_NE(heading, notes.end());
        std::vector<std::string> listed;
        for (auto t = heading + 1; t + 2 < notes.end() && notes.size() > 0 && t->starts_with("D"); t += 3) {
            listed.push_back(*t);
            const auto r = rule.find(*t);
            ASSERT_NE(r, rule.end()) << *t;
            auto trimmed = [](std::string v) { return v.substr(v.find_first_not_of(' ')); };
            EXPECT_EQ(trimmed(*(t + 1)), r->second.first) << *t;
            EXPECT_EQ(trimmed(*(t + 2)), r->second.second) << *t;
            ++seen[*t];
        }
        EXPECT_EQ(listed, sizes);
    }
    EXPECT_GE(drawn, 30);
    EXPECT_GE(seen.size(), 6u);
}

}  // namespace
}  // namespace lwall
