// Runs the built program in temporary folders, as a user would, and checks the files it leaves,
// its console line and its exit status.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/sjis.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string console;  // standard output
    std::string errors;   // standard error
    fs::path dir;
    std::string dxf() const { return test::read_file((dir / "Lwall.dxf").string()); }
    std::string scr() const { return test::read_file((dir / "plenk.scr").string()); }
};

class EndToEnd : public ::testing::Test {
protected:
    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    void use_example(const std::string& example) {
        write("PlenkL.dat", test::example_file(example, "PlenkL.dat"));
        write("GasouL.dat", test::example_file(example, "GasouL.dat"));
    }
    // The level example with some lines of PlenkL.dat replaced (line number, new text).
    void use_level_with_lines(const std::map<int, std::string>& replaced) {
        use_example("level");
        write("PlenkL.dat", test::example_wall_with("level", replaced));
    }

    Outcome run() {
        const test::ProgramRun run = test::run_program(dir_.path().string());
        Outcome o;
        o.status = run.status;
        o.console = run.console;
        o.errors = run.errors;
        o.dir = dir_.path();
        return o;
    }

    test::TempFolder dir_;
};

std::string crlf(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

// Everything before the first entity, for the nine layers of the example layer file and the two
// layers of the title block it does not list.
std::string expected_tables() {
    std::vector<std::string> l = {"0", "SECTION", "2", "TABLES", "0", "TABLE", "2", "LTYPE", "70", "5"};
    auto ltype = [&](const std::string& name, const std::string& desc, std::vector<std::string> values) {
        for (const auto& v : std::vector<std::string>{"0", "LTYPE", "2", name, "70", "64", "3", desc, "72", "65"}) {
            l.push_back(v);
        }
        for (const auto& v : values) l.push_back(v);
    };
    ltype("CONTINUOUS", std::string(u8"実線"_sj), {"73", "0", "40", "    1"});
    ltype("HIDDEN", "_ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _",
          {"73", "2", "40", "   10", "49", "    6", "49", "   -3"});
    ltype("CENTER", "____ _ ____ _ ____ _ ____ _ ____ _ ____",
          {"73", "4", "40", "   51", "49", "   32", "49", "   -6", "49", "    6", "49", "   -6"});
    ltype("PHANTOM", "_____ _ _ _____ _ _ _____ _ _ _____ _ _ ____",
          {"73", "6", "40", "   64", "49", "   32", "49", "   -6", "49", "    6", "49", "   -6", "49", "    6", "49",
           "   -6"});
    ltype("DOT", std::string(45, '.'), {"73", "2", "40", "   10", "49", "    5", "49", "   -5"});
    for (const auto& v : std::vector<std::string>{"0", "ENDTAB", "0", "TABLE", "2", "LAYER", "70", "16", "0"}) {
        l.push_back(v);
    }
    const std::vector<std::pair<std::string, std::pair<std::string, std::string>>> layers = {
        {"D-STR", {"7", "CONTINUOUS"}},      {"D-STR-STR1", {"2", "CONTINUOUS"}}, {"D-STR-DIM", {"3", "CONTINUOUS"}},
        {"D-STR-HTXT", {"4", "CONTINUOUS"}}, {"D-BMK", {"1", "CENTER"}},          {"D-TTL-FRAM", {"7", "CONTINUOUS"}},
        {"D-MTR-FRAM", {"7", "CONTINUOUS"}}, {"D-MTR-TXT", {"7", "CONTINUOUS"}},  {"D-MTR-MTXT", {"7", "CONTINUOUS"}},
        {"D-TTL-LINE", {"7", "CONTINUOUS"}}, {"D-TTL-TXT", {"7", "CONTINUOUS"}}};
    for (const auto& [name, props] : layers) {
        for (const auto& v : std::vector<std::string>{"LAYER", "2", name, "70", "0", "62", props.first, "6",
                                                      props.second, "0"}) {
            l.push_back(v);
        }
    }
    for (const auto& v : std::vector<std::string>{
             "ENDTAB", "0", "TABLE", "2", "STYLE", "70", "2", "0",
             "STYLE", "2", "STANDARD", "70", "0", "40", "    0", "41", "    1", "50", "    0", "71", "0", "42", "    0",
             "3", "TXT", "4", "", "0",
             "STYLE", "2", "KANJI", "70", "0", "40", "    0", "41", "    1", "50", "    0", "71", "0", "42", "    0",
             "3", "TXT", "4", "BIGFONT", "0",
             "ENDTAB", "0", "ENDSEC", "0", "SECTION", "2", "ENTITIES", "0"}) {
        l.push_back(v);
    }
    return crlf(l);
}

TEST_F(EndToEnd, ExamplesDrawAWholeDocument) {
    for (const std::string example : {"level", "sloped"}) {
        use_example(example);
        const Outcome o = run();
        EXPECT_EQ(o.status, 0) << example << ": " << o.console;
        EXPECT_EQ(o.console, "") << example;
        const std::string dxf = o.dxf();
        const std::string tables = expected_tables();
        EXPECT_EQ(dxf.substr(0, tables.size()), tables) << example;
        EXPECT_TRUE(dxf.ends_with("0\r\nENDSEC\r\n0\r\nEOF\r\n")) << example;
        test::crlf_lines(dxf);
        test::crlf_lines(o.scr());
    }
}

// Each way a run ends before or after drawing: its status, its one console line and what stays in
// the two files ("-": no file; nothing: not looked at).
TEST_F(EndToEnd, EachStopHasItsStatusItsLineAndLeavesWhatWasWritten) {
    const std::string tables = expected_tables();
    const std::string wide = std::string(u8"幅の制限を超えています。"_sj) + "\n";
    struct Case {
        const char* what;
        std::function<void()> setup;
        int status;
        std::string console;
        std::optional<std::string> dxf, scr;
    };
    const Case cases[] = {
        {"no drawing file", [&] { use_example("level"), fs::create_directory(dir_ / "Lwall.dxf"); }, 1,
         "can't create Lwall.dxf\n", std::nullopt, "-"},
        {"no script", [&] { use_example("level"), fs::create_directory(dir_ / "plenk.scr"); }, 2,
         "can't create plenk.scr\n", "", std::nullopt},
        {"no wall file", [&] { write("GasouL.dat", test::example_file("level", "GasouL.dat")); }, 3,
         "can't create PlenkL.dat\n", "", ""},
        {"no layer file", [&] { write("PlenkL.dat", test::example_file("level", "PlenkL.dat")); }, 4,
         "can't create GasouL.dat\n", "", ""},
        {"width and height at their limits", [&] { use_level_with_lines({{1, "1000,300,1200"}, {2, "2600,400,2600,2600"}}); },
         0, "", std::nullopt, std::nullopt},
        {"too wide", [&] { use_level_with_lines({{1, "1000,300,1200.5"}}); }, 1, wide, tables, ""},
        {"too high", [&] { use_level_with_lines({{2, "2600.5,400,2000,2000"}}); }, 1,
         std::string(u8"高さの制限を超えています。"_sj) + "\n", tables, std::nullopt},
        {"the width before the height", [&] { use_level_with_lines({{1, "1000,300,1300"}, {2, "3000,400,3000,3000"}}); },
         1, wide, std::nullopt, std::nullopt},
    };
    const auto left = [&](const char* name) {
        return fs::exists(dir_ / name) ? test::read_file((dir_ / name).string()) : std::string("-");
    };
    for (const Case& c : cases) {
        for (const auto& e : fs::directory_iterator(dir_.path())) fs::remove_all(e.path());
        c.setup();
        const Outcome o = run();
        EXPECT_EQ(o.status, c.status) << c.what;
        EXPECT_EQ(o.console, c.console) << c.what;
        EXPECT_TRUE(!c.dxf || left("Lwall.dxf") == *c.dxf) << c.what;
        EXPECT_TRUE(!c.scr || left("plenk.scr") == *c.scr) << c.what;
    }
}

TEST_F(EndToEnd, MalformedWallInputIsRefusedBeforeAnythingIsDrawn) {
    use_level_with_lines({{26, "9,10,10.5,9,0"}});
    const Outcome o = run();
    EXPECT_EQ(o.status, 6);
    // Japanese first, in the console's Shift_JIS.
    EXPECT_EQ(o.console, *utf8_to_sjis("区間3間隔数 (W1.count[3], PlenkL.dat 26行目): 整数の欄に小数点のある数「10.5」\n"));
    EXPECT_EQ(o.dxf(), expected_tables());
    EXPECT_EQ(o.scr(), "");
}

TEST_F(EndToEnd, MalformedLayerFileKeepsWhatWasWritten) {
    use_example("level");
    write("GasouL.dat", "2\n7 1 0.5 D-STR\n3 one 0.25 D-STR-DIM\n");
    const Outcome o = run();
    EXPECT_EQ(o.status, 6);
    EXPECT_EQ(o.console, *utf8_to_sjis("画層2の線種 (row 2 line type, GasouL.dat 3行目): 整数でない「one」\n"));
    const std::string dxf = o.dxf();
    EXPECT_NE(dxf.find("ENDTAB\r\n"), std::string::npos);   // the line types are written
    EXPECT_EQ(dxf.find("LAYER\r\n2\r\nD-STR\r\n"), std::string::npos);
}

TEST_F(EndToEnd, LayerFileWithFewerRowsThanItsCountStillDraws) {
    use_example("level");
    write("GasouL.dat", "16\n7 1 0.5 D-STR\n3 1 0.25 D-STR-DIM\n");
    const Outcome o = run();
    EXPECT_EQ(o.status, 0) << o.console;
    const std::string dxf = o.dxf();
    EXPECT_NE(dxf.find("LAYER\r\n2\r\nD-STR-DIM\r\n"), std::string::npos);
    EXPECT_EQ(dxf.find("LAYER\r\n2\r\n\r\n"), std::string::npos);  // no layer without a name
}

// The texts of the title blocks, each with how often it stands on the sheet.
std::map<std::string, int> title_texts(const std::string& dxf) {
    std::map<std::string, int> n;
    for (const auto& e : test::file_entities(dxf)) {
        if (e.type == "TEXT" && e.get(8) == "D-TTL-TXT") ++n[e.get(1)];
    }
    return n;
}

TEST_F(EndToEnd, TheTitleFileFillsTheTitleBlockOfEveryFrame) {
    // A wall at 1:70: the views and the bending drawings in a frame at 1:70, the tables in a second at 1:50.
    use_level_with_lines({{3, "12000,12000"}, {6, "100,100,16000"}});
    const std::string title =
        test::read_file(std::string(LWALL_SOURCE_DIR) + "/tests/drawings/sheet_set/title_block/HyodaiL.dat");
    write("HyodaiL.dat", title);
    Outcome o = run();
    ASSERT_EQ(o.status, 0) << o.console;
    std::map<std::string, int> texts = title_texts(o.dxf());
    for (const std::string_view value :
         {u8"令和8年度 ○○地区擁壁工事(その2)"_sj, std::string_view("S-07"), u8"山田 太郎"_sj, u8"○○国道事務所"_sj}) {
        EXPECT_EQ(texts[std::string(value)], 2) << value;
    }
    // Each frame's drawing is named by what it holds.
    for (const std::string_view name : {u8"擁壁配筋図（配筋図・加工図）"_sj, u8"擁壁配筋図（鉄筋表・材料表）"_sj}) {
        EXPECT_EQ(texts[std::string(name)], 1) << name;
    }
    EXPECT_EQ(texts["1:70"], 1);
    EXPECT_EQ(texts["1:50"], 1);
    for (const char* n : {"1/2", "2/2"}) EXPECT_EQ(texts[n], 1) << n;

    // Without the file only the drawing's name and the program's own values fill the boxes.
    fs::remove(dir_ / "HyodaiL.dat");
    o = run();
    ASSERT_EQ(o.status, 0) << o.console;
    texts = title_texts(o.dxf());
    EXPECT_EQ(texts[std::string(u8"擁壁配筋図（配筋図・加工図）"_sj)], 1);
    EXPECT_EQ(texts.count("S-07"), 0u);

    // A value too long for its box: nothing is drawn, as for a refused wall.
    write("HyodaiL.dat", "\r\n\r\n\r\n" + std::string(23, '7') + "\r\n");
    o = run();
    EXPECT_EQ(o.status, 6);
    EXPECT_EQ(o.console, std::string(u8"図面番号 (drawing_number, HyodaiL.dat 4行目): 23 バイトあり、"
                                     u8"枠に入るのは 22 バイト (全角 11 文字) まで\n"_sj));
    EXPECT_EQ(o.dxf(), expected_tables());
    EXPECT_EQ(o.scr(), "");

    // One that is there and cannot be read is refused, not taken for none.
    fs::remove(dir_ / "HyodaiL.dat");
    fs::create_directory(dir_ / "HyodaiL.dat");
    o = run();
    EXPECT_EQ(o.status, 6);
    EXPECT_EQ(o.console, std::string(u8"HyodaiL.dat を読めません\n"_sj));
}

}  // namespace
}  // namespace lwall
