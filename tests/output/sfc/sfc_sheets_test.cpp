// The SXF sheets of a run: every frame's file passes the strict reader, holds the frame's lines,
// circles and texts of the drawing file (the same place on paper after the part drawing's ratio,
// the same layer, the same text at the same angles) and nothing else, on an A1 landscape sheet at the frame's scale,
// with the title file's values in its drawing attribute. And the strict reader refuses what a
// reader would.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/run_failure.hpp"
#include "core/sjis.hpp"
#include "input/layer_file.hpp"
#include "output/sfc/sfc_checker.hpp"
#include "output/sfc/sfc_sheets.hpp"
#include "sheet/random_walls.hpp"
#include "sheet/run_sheet.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

std::string show(const std::vector<std::string>& found) {
    std::string out;
    for (std::size_t i = 0; i < found.size() && i < 12; ++i) out += "\n  " + found[i];
    return out;
}

// An entity by its kind, layer, numbers in whole drawing units and text.
std::string key(std::string_view kind, std::string_view layer, std::initializer_list<double> units,
                std::string_view text = {}) {
    std::string k = std::string(kind) + " " + std::string(layer);
    for (double v : units) k += " " + std::to_string(std::llround(v));
    return k + " " + std::string(text);
}

// What each frame of the drawing file holds, by the anchor of each entity (a line's midpoint, a
// circle's centre, a text's insertion point) in the first frame that holds it.
std::vector<std::vector<std::string>> drawn_per_frame(const std::string& dxf, const SheetFrames& frames) {
    std::vector<std::vector<std::string>> out(frames.size());
    for (const test::DxfEntity& e : test::file_entities(dxf)) {
        double ax = e.num(10), ay = e.num(20);
        if (e.type == "LINE") {
            ax = (e.num(10) + e.num(11)) / 2;
            ay = (e.num(20) + e.num(21)) / 2;
        }
        for (std::size_t f = 0; f < frames.size(); ++f) {
            const SheetFrame& fr = frames[f];
            if (ax < fr.x || ax > fr.x + fr.width || ay < fr.y || ay > fr.y + fr.height) continue;
            if (e.type == "LINE") out[f].push_back(key("line", e.get(8), {e.num(10), e.num(20), e.num(11), e.num(21)}));
            if (e.type == "CIRCLE") out[f].push_back(key("circle", e.get(8), {e.num(10), e.num(20), e.num(40)}));
            if (e.type == "TEXT") {
                // A text turns by its rotation (0 to 360) and leans by its oblique angle (-180 to 180),
                // in hundredths of a degree; a simple text has no rotation, an aligned one no lean.
                const auto angle = [&](int code) {
                    const bool given = std::any_of(e.groups.begin(), e.groups.end(), [&](const auto& g) { return g.first == code; });
                    const double a = given ? std::fmod(e.num(code), 360.0) : 0;
                    return a < 0 ? a + 360 : a;
                };
                const double lean = angle(51) > 180 ? angle(51) - 360 : angle(51);
                out[f].push_back(key("text", e.get(8), {e.num(10), e.num(20), e.num(40), angle(50) * 100, lean * 100}, e.get(1)));
            }
            break;
        }
    }
    return out;
}

// What a sheet shows, taken back from paper into the frame's drawing units: the part drawing's
// members placed by its sfig_locate (at 1/scale), and what stands on the sheet itself, each point
// (x, y) mm from the sheet's corner at the frame's (x - 20.5) * scale, (y - 22) * scale: the frame's
// 800 x 550 mm centred on the 841 x 594 mm sheet.
std::vector<std::string> shown_on_sheet(const test::SfcReading& r, const SheetFrame& frame) {
    std::vector<std::string> layers;
    double ox = 0, oy = 0, ratio = 1;
    for (const auto& f : r.features) {
        if (f.name == "layer_feature") layers.push_back(f.str(0));
        if (f.name == "sfig_locate_feature") {
            ox = f.num(2);
            oy = f.num(3);
            ratio = f.num(5);
        }
    }
    std::vector<std::string> out;
    bool member = true;  // the part drawing's members first, at real size
    for (const auto& f : r.features) {
        if (f.name == "sfig_org_feature") member = false;
        if (f.name != "line_feature" && f.name != "circle_feature" && f.name != "text_string_feature") continue;
        const double s = member ? ratio : 1;
        const auto X = [&](std::size_t p) { return (f.num(p) * s + (member ? ox : 0) - 20.5) * frame.scale + frame.x; };
        const auto Y = [&](std::size_t p) { return (f.num(p) * s + (member ? oy : 0) - 22) * frame.scale + frame.y; };
        const auto L = [&](std::size_t p) { return f.num(p) * s * frame.scale; };
        const std::string& layer = layers.at(static_cast<std::size_t>(f.num(0)) - 1);
        if (f.name == "line_feature") out.push_back(key("line", layer, {X(4), Y(5), X(6), Y(7)}));
        if (f.name == "circle_feature") out.push_back(key("circle", layer, {X(4), Y(5), L(6)}));
        if (f.name == "text_string_feature") {
            out.push_back(key("text", layer, {X(4), Y(5), L(6), f.num(9) * 100, f.num(10) * 100}, f.str(3)));
        }
    }
    return out;
}

struct Drawn {
    int status = 0;
    std::string dxf;
    SheetFrames frames;
    std::vector<std::string> sheets;
};

Drawn draw(const std::string& wall, const std::string& title,
           const std::string& layers = test::example_file("level", "GasouL.dat")) {
    auto ctx = std::make_unique<RunContext>();
    SfcSheets sheets;
    ctx->canvas.entities.add(sheets);
    Drawn d;
    try {
        draw_whole_sheet(*ctx, wall, layers, title);
    } catch (const RunFailure& f) {
        d.status = f.status;
    }
    d.dxf = ctx->canvas.dxf_out.contents();
    d.frames = ctx->frames;
    d.sheets = sheets.files(ctx->frames, ctx->declared_layers, ctx->title);
    return d;
}

void expect_sheets_hold_the_drawing(const Drawn& d) {
    ASSERT_EQ(d.sheets.size(), d.frames.size());
    const auto drawn = drawn_per_frame(d.dxf, d.frames);
    for (std::size_t f = 0; f < d.frames.size(); ++f) {
        SCOPED_TRACE("frame " + std::to_string(f + 1));
        const test::SfcReading r = test::read_sfc(d.sheets[f]);
        ASSERT_TRUE(r.faults.empty()) << r.faults.size() << " faults:" << show(r.faults);
        for (const auto& x : r.features) {
            if (x.name == "sfig_org_feature") {
                EXPECT_EQ(x.num(1), 1);  // of the kind 1, a part drawing
            }
            if (x.name == "sfig_locate_feature") {
                // 1/scale to fifteen digits
                EXPECT_NEAR(x.num(5) * d.frames[f].scale, 1, 1e-11);
                EXPECT_NEAR(x.num(6) * d.frames[f].scale, 1, 1e-11);
            }
            if (x.name == "drawing_sheet_feature") {
                EXPECT_EQ(x.num(1), 1);  // A1
                EXPECT_EQ(x.num(2), 1);  // landscape
                EXPECT_EQ(x.num(3), 841);
                EXPECT_EQ(x.num(4), 594);
            }
        }
        std::vector<std::string> want = drawn[f];
        std::vector<std::string> got = shown_on_sheet(r, d.frames[f]);
        std::sort(want.begin(), want.end());
        std::sort(got.begin(), got.end());
        std::vector<std::string> missing, extra;
        std::set_difference(want.begin(), want.end(), got.begin(), got.end(), std::back_inserter(missing));
        std::set_difference(got.begin(), got.end(), want.begin(), want.end(), std::back_inserter(extra));
        EXPECT_TRUE(missing.empty()) << missing.size() << " entities of the drawing not on the sheet:" << show(missing);
        EXPECT_TRUE(extra.empty()) << extra.size() << " features not in the drawing:" << show(extra);
    }
}

TEST(SfcSheets, EveryFrameOfRandomWallsIsAStrictSheetHoldingExactlyItsEntities) {
    test::WallMaker maker(4242);
    int drawn = 0, stopped = 0;
    for (int n = 0; n < 60; ++n) {
        const std::string wall = maker.next();
        SCOPED_TRACE("wall " + std::to_string(n) + ":\n" + wall);
        const Drawn d = draw(wall, "");
        if (d.status == kExitOk) ++drawn;
        if (d.status == kExitMemberLength) ++stopped;
        expect_sheets_hold_the_drawing(d);
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(drawn, 20);
    // A wall at 1:210, whose tables go to frames of their own at 1:50.
    const Drawn large = draw(test::example_wall_with("level", {{3, "50000,50000"}, {6, "100,100,60000"}}), "");
    ASSERT_EQ(large.status, kExitOk);
    ASSERT_EQ(large.frames.front().scale, 210);
    ASSERT_EQ(large.frames.back().scale, 50);
    expect_sheets_hold_the_drawing(large);
    // A layer file of fewer rows than the drawing uses: the entities on layers it does not list keep
    // their own layers on the sheets.
    const Drawn few = draw(test::example_file("sloped", "PlenkL.dat"), "", "2\r\n7 1 0.5 D-STR\r\n3 1 0.25 D-DIM\r\n");
    ASSERT_EQ(few.status, kExitOk);
    expect_sheets_hold_the_drawing(few);
}

std::string title_file(const std::vector<std::string>& lines) {
    std::string t;
    for (const std::string& l : lines) t += *utf8_to_sjis(l) + "\r\n";
    return t;
}

TEST(SfcSheets, TheTitleFilesValuesGoIntoTheDrawingAttribute) {
    // A backslash, and 表 whose second byte is a backslash's (0x5C): only the first is doubled.
    const Drawn d = draw(test::example_file("sloped", "PlenkL.dat"),
                         title_file({"表示板\\改良工事", "国道1号 表町", "", "S-12", "令和８年１２月７日", "山田設計", "山田",
                                     "○○河川国道事務所"}));
    ASSERT_EQ(d.status, kExitOk);
    ASSERT_EQ(d.sheets.size(), 2u);
    for (std::size_t f = 0; f < d.sheets.size(); ++f) {
        const test::SfcReading r = test::read_sfc(d.sheets[f]);
        ASSERT_TRUE(r.faults.empty()) << show(r.faults);
        const auto at = std::find_if(r.features.begin(), r.features.end(),
                                     [](const test::SfcFeature& x) { return x.name == "drawing_attribute_feature"; });
        ASSERT_NE(at, r.features.end());
        std::vector<std::string> values;
        for (const auto& p : at->params) values.push_back(p.is_string ? sjis_to_utf8(p.text) : p.text);
        const std::string n = std::to_string(f + 1) + "$$" + std::to_string(d.sheets.size());
        // Each sheet names what it holds; the office is the file's eighth value.
        const std::string name = std::string("擁壁配筋図") + (f == 0 ? "（配筋図・加工図）" : "（加工図・鉄筋表・材料表）");
        EXPECT_EQ(values, (std::vector<std::string>{"国道1号 表町", "表示板\\改良工事", " ", name, "S-12-" + n,
                                                    "配筋図", "1:50", "2026", "12", "7", "山田設計",
                                                    "○○河川国道事務所"}));
        EXPECT_NE(r.header[3].find(*utf8_to_sjis("'2026-12-07T00:00:00',('山田'),('山田設計')")), std::string::npos)
            << r.header[3];
    }
}

// A layer name longer than a feature holds ends within 256 bytes at a character's end: 表 (second
// byte 0x5C) after an odd number of single bytes ends one byte short, after an even number at 256.
TEST(SfcSheets, LongLayerNamesEndAtACharacterWithin256Bytes) {
    std::string odd = "D-STR", even = "D-ST";
    for (int i = 0; i < 130; ++i) odd += u8"表"_sj, even += u8"表"_sj;
    std::string layers = test::example_file("level", "GasouL.dat");
    layers.replace(layers.find("D-STR-STR1"), 10, even);
    layers.replace(layers.find("D-STR"), 5, odd);
    const Drawn d = draw(test::example_file("level", "PlenkL.dat"), "", layers);
    ASSERT_EQ(d.status, kExitOk);
    const test::SfcReading r = test::read_sfc(d.sheets.front());
    ASSERT_TRUE(r.faults.empty()) << show(r.faults);
    std::vector<std::string> names;
    for (const auto& f : r.features) {
        if (f.name == "layer_feature") names.push_back(f.str(0));
    }
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[0], odd.substr(0, 255));
    EXPECT_EQ(names[1], even.substr(0, 256));
}

// Each fault a reader refuses, planted in a sound sheet, is found.
TEST(SfcChecker, FindsWhatAReaderRefuses) {
    const Drawn d = draw(test::example_file("level", "PlenkL.dat"), "");
    ASSERT_EQ(d.status, kExitOk);
    const std::string good = d.sheets.front();
    ASSERT_TRUE(test::read_sfc(good).faults.empty());
    const auto replaced = [&](std::string_view from, std::string_view to) {
        std::string s = good;
        const std::size_t at = s.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return s.replace(at, from.size(), to);
    };
    const auto block = [&](std::string_view name) {
        const std::size_t at = good.find(name);
        const std::size_t from = good.rfind("/*SXF", at);
        return good.substr(from, good.find("*/\r\n", at) + 4 - from);
    };
    const auto moved_before = [&](std::string_view name, std::string_view before) {
        std::string s = good;
        const std::string b = block(name);
        s.erase(s.find(b), b.size());
        const std::size_t at = s.rfind("/*SXF", s.find(before));
        return s.insert(at, b);
    };
    const std::string long_text(300, 'A');
    const std::vector<std::pair<std::string, std::string>> faulty = {
        {"a table after the drawing", moved_before("layer_feature", "sfig_org_feature")},
        {"an undeclared colour", replaced("line_feature('1','", "line_feature('1','17")},
        {"a layer beyond the table", replaced("line_feature('1',", "line_feature('99',")},
        {"a missing parameter", replaced("','1','1')\r\nSXF*/", "','1')\r\nSXF*/")},
        {"a number as a string", replaced("layer_feature(\\'D-STR\\','1')", "layer_feature(\\'D-STR\\',\\'1\\')")},
        {"an exponent", replaced("line_feature('1','8','1','5','", "line_feature('1','8','1','5','1e3")},
        {"a text too long", replaced("\\'1:50\\'", "\\'" + long_text + "\\'")},
        {"bytes not Shift_JIS", replaced("\\'1:50\\'", "\\'\x85\x40\\'")},
        {"a lone backslash", replaced("\\'1:50\\'", "\\'1\\50\\'")},
        {"a comment ended in a text", replaced("\\'1:50\\'", "\\'1*/50\\'")},
        {"an id twice", replaced("#20 = ", "#10 = ")},
        {"the sheet not last", moved_before("drawing_sheet_feature", "drawing_attribute_feature")},
        {"a placement before its part drawing", moved_before("sfig_locate_feature", "sfig_org_feature")},
        {"an angle of 360", replaced("','0','0','1','1')", "','360','0','1','1')")},
        {"a bare LF", replaced("DATA;\r\n", "DATA;\n")},
        {"the version", replaced("$$3.1'", "$$2.0'")},
        {"the wrong tag", replaced("/*SXF3\r\n", "/*SXF\r\n")},
    };
    for (const auto& [what, text] : faulty) {
        EXPECT_FALSE(test::read_sfc(text).faults.empty()) << what;
    }
}

// An entity no reader could place or size (a number that is not finite, a circle of no radius, a
// text of no height) is left off the sheet, and the sheet is as it would be without it.
TEST(SfcSheets, EntitiesWithoutAPlaceOrASizeAreLeftOff) {
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    TextEntity text;
    text.layer = "D-STR-HTXT";
    text.height = 250;
    text.text = "A-1";
    text.x1 = 2000;
    text.y1 = 3000;
    const auto sound = [&](SfcSheets& sink) {
        sink.line({"D-STR", 7, 0.25, 0, 0, 1000, 500});
        sink.circle({"D-STR", 0.25, 100, 100, 50});
        sink.text(text);
    };
    SfcSheets plain, with_faults;
    sound(plain);
    sound(with_faults);
    with_faults.line({"D-STR", 7, 0.25, 0, nan, 1000, 500});
    with_faults.line({"D-STR", 7, inf, 0, 0, 1000, 500});
    with_faults.circle({"D-STR", 0.25, 100, 100, 0});
    with_faults.circle({"D-STR", 0.25, inf, 100, 50});
    for (int fault = 0; fault < 4; ++fault) {
        TextEntity t = text;
        if (fault == 0) t.height = 0;
        if (fault == 1) t.x1 = nan;
        if (fault == 2) t.angle = inf;
        if (fault == 3) t.width = nan;
        with_faults.text(t);
    }
    const SheetFrames frames = {{1, -1000, -1000, 800 * 50, 550 * 50, 50}};
    const LayerTable layers = read_layer_table(test::example_file("level", "GasouL.dat"));
    const std::vector<std::string> files = with_faults.files(frames, layers, TitleInput{});
    ASSERT_EQ(files.size(), 1u);
    const test::SfcReading r = test::read_sfc(files[0]);
    EXPECT_TRUE(r.faults.empty()) << show(r.faults);
    EXPECT_TRUE(std::any_of(r.features.begin(), r.features.end(),
                            [](const auto& f) { return f.name == "text_string_feature" && f.str(3) == "A-1"; }));
    EXPECT_EQ(files, plain.files(frames, layers, TitleInput{}));
}

// The readers refuse "*/" in the title values and the layer names; handed to the sheets all the
// same, in a text, a layer's name and every title value, it never ends a feature's comment.
TEST(SfcSheets, NoTextEndsTheCommentOfItsFeature) {
    SfcSheets sink;
    TextEntity text;
    text.layer = "D-*/STR";
    text.height = 250;
    text.text = "1*/2";
    text.x1 = 2000;
    text.y1 = 3000;
    sink.text(text);
    TitleInput title;
    for (std::string& v : title.values) v = "a*/b";
    const SheetFrames frames = {{1, -1000, -1000, 800 * 50, 550 * 50, 50}};
    LayerTable layers;
    layers.rows.push_back({7, 1, 0.25, "D-*/STR"});
    const std::vector<std::string> files = sink.files(frames, layers, title);
    ASSERT_EQ(files.size(), 1u);
    const test::SfcReading r = test::read_sfc(files[0]);
    EXPECT_TRUE(r.faults.empty()) << show(r.faults);
    EXPECT_TRUE(std::any_of(r.features.begin(), r.features.end(),
                            [](const auto& f) { return f.name == "text_string_feature" && f.str(3) == "1*?2"; }));
}

TEST(SfcSheets, FileNamesAreExact) {
    EXPECT_EQ(sfc_file_name(3), "Lwall-3.sfc");
    EXPECT_EQ(sfc_file_number("Lwall-12.sfc"), 12);
    for (const char* bad : {"Lwall-0.sfc", "Lwall-01.sfc", "Lwall-.sfc", "Lwall-1.sfc.", "lwall-1.sfc", "Lwall-1x.sfc",
                            "Lwall--1.sfc", "../Lwall-1.sfc", "Lwall-1234567.sfc"}) {
        EXPECT_EQ(sfc_file_number(bad), 0) << bad;
    }
}

// A layer's CAD colour goes to the predefined colour nearest it: every sixth of the hue circle and
// the halves between, a darker shade, the greys, and numbers past the table.
TEST(SfcSheets, CadColoursGoToTheNearestPredefinedColour) {
    enum { black = 1, red, green, blue, yellow, magenta, cyan, white, deeppink, brown, orange, lightgreen,
           lightblue, lavender, lightgray, darkgray };
    const std::pair<int, int> expected[] = {
        {1, red},       {2, yellow},    {3, green},    {4, cyan},       {5, blue},     {6, magenta},
        {7, white},     {8, darkgray},  {9, lightgray}, {10, red},      {30, orange},  {50, yellow},
        {90, green},    {130, cyan},    {150, lightblue}, {170, blue},  {190, lavender}, {210, magenta},
        {230, deeppink}, {14, red},     {18, black},   {250, black},    {252, darkgray}, {254, lightgray},
        {255, white},   {256, white}};
    for (const auto& [aci, code] : expected) EXPECT_EQ(sfc_colour_code(aci), code) << "colour " << aci;
}

}  // namespace
}  // namespace lwall
