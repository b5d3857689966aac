// The options of the command line, run as a user would: the checks, the picture and the
// spreadsheet, and that none of them changes what a plain run writes.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "cli/command_line.hpp"
#include "core/sjis.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

namespace fs = std::filesystem;

class CommandLine : public ::testing::Test {
protected:
    void use(const std::string& folder) {
        for (const char* name : {"PlenkL.dat", "GasouL.dat"}) {
            std::ofstream(dir_ / name, std::ios::binary) << test::read_file(folder + "/" + name);
        }
    }
    void use_example(const std::string& name) { use(std::string(LWALL_SOURCE_DIR) + "/examples/" + name); }
    void use_faulty() { use(std::string(LWALL_SOURCE_DIR) + "/tests/checks/faulty"); }
    std::string file(const char* name) const { return test::read_file((dir_ / name).string()); }
    // The level example's wall with one piece of its text replaced.
    static std::string level_with(std::string_view piece, std::string_view replacement) {
        std::string text = test::example_file("level", "PlenkL.dat");
        const std::size_t at = text.find(piece);
        EXPECT_NE(at, std::string::npos) << piece;
        return at == std::string::npos ? text : text.replace(at, piece.size(), replacement);
    }
    test::ProgramRun run(const std::string& args = "") { return test::run_program(dir_.path().string(), args); }

    test::TempFolder dir_;
};

TEST_F(CommandLine, PictureAndSpreadsheetLeaveTheDrawingAndScriptByteForByte) {
    for (const char* example : {"level", "sloped"}) {
        fs::remove(dir_ / "Lwall.svg");
        fs::remove(dir_ / "Lwall.csv");
        use_example(example);
        const auto plain = run();
        ASSERT_EQ(plain.status, 0);
        const std::string dxf = file("Lwall.dxf");
        const std::string scr = file("plenk.scr");
        EXPECT_FALSE(fs::exists(dir_ / "Lwall.svg"));
        EXPECT_FALSE(fs::exists(dir_ / "Lwall.csv"));
        const auto extra = run("--svg --csv");
        EXPECT_EQ(extra.status, 0) << example;
        EXPECT_EQ(extra.console, "") << example;
        EXPECT_EQ(extra.errors, "") << example;
        EXPECT_TRUE(test::same_text(file("Lwall.dxf"), dxf)) << example;
        EXPECT_TRUE(test::same_text(file("plenk.scr"), scr)) << example;
    }
}

// Counts the elements of each kind in the picture.
std::map<std::string, int> picture_elements(const std::string& svg) {
    std::map<std::string, int> n;
    for (const char* kind : {"<line ", "<circle ", "<text "}) {
        for (std::size_t at = svg.find(kind); at != std::string::npos; at = svg.find(kind, at + 1)) ++n[kind];
    }
    return n;
}

TEST_F(CommandLine, ThePictureHoldsEveryEntityOfTheDrawing) {
    use_example("sloped");
    ASSERT_EQ(run("--svg").status, 0);
    std::map<std::string, int> drawn;
    for (const auto& e : test::file_entities(file("Lwall.dxf"))) ++drawn[e.type];
    const auto shown = picture_elements(file("Lwall.svg"));
    EXPECT_EQ(shown.at("<line "), drawn["LINE"]);
    EXPECT_EQ(shown.at("<circle "), drawn["CIRCLE"]);
    EXPECT_EQ(shown.at("<text "), drawn["TEXT"]);
    EXPECT_NE(file("Lwall.svg").find(">鉄 筋 質 量 表</text>"), std::string::npos);  // UTF-8
}

// The CSV rows of one block (after its header), split into cells.
std::vector<std::vector<std::string>> csv_block(const std::string& csv, int block) {
    std::vector<std::vector<std::string>> rows;
    int at = 0;
    bool header = true;
    for (const std::string& line : test::crlf_lines(csv)) {
        if (line.empty()) {
            ++at;
            header = true;
            continue;
        }
        if (at != block) continue;
        if (header) {
            header = false;
            continue;
        }
        std::vector<std::string> cells;
        std::size_t start = 0;
        for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1) {
            cells.push_back(line.substr(start, comma - start));
        }
        cells.push_back(line.substr(start));
        rows.push_back(cells);
    }
    return rows;
}

// The texts of the tables' rows in the drawing: layer D-MTR-MTXT within [x0, x1) and [y0, y1), one
// row per height from the top down, blanks trimmed.
std::vector<std::vector<std::string>> drawn_rows(const std::vector<test::DxfEntity>& e, double x0, double x1,
                                                 double y0, double y1) {
    std::map<double, std::map<double, std::string>> by_y;
    for (const auto& x : e) {
        if (x.type != "TEXT" || x.get(8) != "D-MTR-MTXT" || x.num(10) < x0 || x.num(10) >= x1) continue;
        if (x.num(20) < y0 || x.num(20) >= y1) continue;
        std::string t = x.get(1);
        t.erase(0, t.find_first_not_of(' '));
        by_y[-x.num(20)][x.num(10)] = t;
    }
    std::vector<std::vector<std::string>> rows;
    for (const auto& [y, cells] : by_y) {
        rows.emplace_back();
        for (const auto& [x, t] : cells) rows.back().push_back(t);
    }
    return rows;
}

TEST_F(CommandLine, TheSpreadsheetHoldsTheNumbersTheTablesPrint) {
    for (const char* example : {"level", "sloped"}) {
        use_example(example);
        ASSERT_EQ(run("--csv").status, 0);
        const std::string csv = file("Lwall.csv");
        const auto e = test::file_entities(file("Lwall.dxf"));
        // The tables, found by their titles. Every row ends with its basis, the whole wall (10 m and
        // 12 m long).
        const std::string whole_wall(std::string_view(example) == "level" ? u8"延長 10.0m当たり"_sj
                                                                            : u8"延長 12.0m当たり"_sj);
        const Point schedule = test::table_origin(e, u8"鉄 筋 加 工 図"_sj, 350, {1300, 5000});
        const Point mass = test::table_origin(e, u8"鉄 筋 質 量 表"_sj, 400, {1300, 1000});
        for (const auto& [block, origin] : {std::pair{0, schedule}, {1, mass}}) {
            auto rows = csv_block(csv, block);
            for (auto& r : rows) {
                r.erase(r.begin());  // the table's name
                EXPECT_EQ(r.back(), whole_wall) << example << " block " << block;
                r.pop_back();
                // A leg of length 0 is an empty cell, which the sheet leaves without a text.
                std::erase(r, std::string());
            }
            EXPECT_EQ(rows, drawn_rows(e, origin.x, origin.x + 9400, origin.y - 20000, origin.y))
                << example << " block " << block;
        }
        // The material table: every quantity and remark it prints is in the spreadsheet, in order,
        // and its basis follows.
        const Point material = test::table_origin(e, u8"材 料 表"_sj, 400, {250, 500});
        std::vector<std::string> printed;
        for (const auto& r : drawn_rows(e, material.x, material.x + 6600, material.y - 12000, material.y)) {
            for (const auto& c : r) printed.push_back(c);
        }
        std::vector<std::string> listed, bases;
        for (const auto& r : csv_block(csv, 2)) {
            for (std::size_t i = 4; i + 1 < r.size(); ++i) {
                if (!r[i].empty()) listed.push_back(r[i]);  // quantity and remark
            }
            bases.push_back(r.back());
        }
        EXPECT_EQ(listed, printed) << example;
        const std::string per_metre(u8"1m当たり"_sj);
        EXPECT_EQ(std::count(bases.begin(), bases.end(), per_metre), static_cast<long>(bases.size()) - 3) << example;
        EXPECT_EQ(bases.back(), whole_wall) << example;  // the crushed-stone base
    }
}

TEST_F(CommandLine, ChecksNameEveryPlantedFaultAndWriteNoFile) {
    use_faulty();
    const auto r = run("--check --lang en");
    EXPECT_EQ(r.status, 7);
    for (const char* field : {"cover6:", "cover2:", "max_bar_length: the second piece of the full-length W3",
                              "max_bar_length: the second piece of F4", "F3.count[1]:", "F4.count[2]:",
                              "W1.count[1]:", "W4.count[1]:", "S2.dia:"}) {
        EXPECT_NE(r.console.find(field), std::string::npos) << field;
    }
    EXPECT_FALSE(fs::exists(dir_ / "Lwall.dxf"));
    EXPECT_FALSE(fs::exists(dir_ / "plenk.scr"));
    use_example("level");
    const auto clean = run("--check");
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.console, "");
}

// What a fabricator could not build as drawn is named with its field, line, value and limit, by
// --check (status 7) and by a plain run's warnings, which draws the sheet all the same.
TEST_F(CommandLine, ChecksNameWhatAFabricatorCouldNotBuild) {
    struct Case {
        const char* example;
        std::map<int, std::string> lines;
        std::vector<std::string> found;
    };
    const Case cases[] = {
        {"level", {{6, "100,100,100000"}},
         {"PlenkL.dat line 6, max_bar_length: a maximum member length of 100000 mm is 88000 mm beyond the longest "
          "stock bar, 12000 mm: no mill supplies such bars"}},
        // Cap bars only on the higher side: the lower side's bars reach them up the slope.
        {"sloped", {{42, "0,0,11,12,0"}},
         {"PlenkL.dat line 40, W5.dia: W1-1 overlaps the cap bar W5 by only 248 mm at x = 0 from the reference "
          "point, 12 mm short of 20 x D13 = 260 mm",
          "PlenkL.dat line 42, W5.count[1]: zones 2 and 1 stop 5900 mm short of the left end cover, leaving more "
          "than one spacing (250 mm) of wall without bars"}},
        // The level example 15 m long (1:60) with the bars of 10 m.
        {"level", {{3, "7500,7500"}},
         {"PlenkL.dat line 26, W1.count[1]: zones 2 and 1 stop 2650 mm short of the left end cover, leaving more "
          "than one spacing (250 mm) of wall without bars",
          "PlenkL.dat line 26, W1.count[4]: zones 3 and 4 stop 2650 mm short of the right end cover, leaving more "
          "than one spacing (250 mm) of wall without bars",
          "PlenkL.dat line 30, W2.count[1]: zones 2 and 1 stop 2650 mm short of the left end cover, leaving more "
          "than one spacing (250 mm) of wall without bars",
          "PlenkL.dat line 30, W2.count[4]: zones 3 and 4 stop 2650 mm short of the right end cover, leaving more "
          "than one spacing (250 mm) of wall without bars",
          "PlenkL.dat line 42, W5.count[1]: zones 2 and 1 stop 2650 mm short of the left end cover, leaving more "
          "than one spacing (250 mm) of wall without bars",
          "PlenkL.dat line 42, W5.count[4]: zones 3 and 4 stop 2650 mm short of the right end cover, leaving more "
          "than one spacing (250 mm) of wall without bars"}},
    };
    use_example("level");
    for (const Case& c : cases) {
        std::ofstream(dir_ / "PlenkL.dat", std::ios::binary) << test::example_wall_with(c.example, c.lines);
        const auto check = run("--check --lang en");
        EXPECT_EQ(check.status, 7) << c.found[0];
        std::string lines;
        for (const std::string& f : c.found) lines += f + "\n";
        EXPECT_EQ(check.console, lines);
        const auto drawn = run("--lang en");
        EXPECT_EQ(drawn.status, 0) << c.found[0];
        std::string warnings;
        for (const std::string& f : c.found) warnings += "warning: " + f + "\n";
        EXPECT_EQ(drawn.errors, warnings);
    }
}

TEST_F(CommandLine, APlainRunWarnsOnStandardErrorAndOtherwiseDrawsAsBefore) {
    use_faulty();
    const auto r = run("--lang en");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.console, "");
    EXPECT_TRUE(r.errors.starts_with("warning: PlenkL.dat line 4, cover6: ")) << r.errors;
    EXPECT_TRUE(file("Lwall.dxf").ends_with("EOF\r\n"));
}

TEST_F(CommandLine, CheckReportsARefusalWithItsStatus) {
    use_example("level");
    std::ofstream(dir_ / "PlenkL.dat", std::ios::binary) << "500,abc\n";
    const auto r = run("--check --lang en");
    EXPECT_EQ(r.status, 6);
    EXPECT_EQ(r.console, "PlenkL.dat line 1, wall_thickness: expected a number, found \"abc\"\n");
    fs::remove(dir_ / "PlenkL.dat");
    EXPECT_EQ(run("--check").status, 3);
}

// The console speaks UTF-8 where the locale says so and Shift_JIS elsewhere; the files stay
// Shift_JIS; the language follows LC_ALL, LC_MESSAGES and LANG in that order, and --lang over them.
TEST_F(CommandLine, ConsoleSpeaksTheLocalesEncodingAndLanguage) {
    if (std::getenv("LWALL_PROGRAM") != nullptr) GTEST_SKIP() << "a Windows console speaks Shift_JIS whatever the locale";
    use_example("level");
    std::string wide = file("PlenkL.dat");
    wide.replace(0, wide.find('\n'), "1500,300,1000");
    std::ofstream(dir_ / "PlenkL.dat", std::ios::binary) << wide;
    const std::string stop = "幅の制限を超えています。\n";
    const std::string detail = "つま先版幅 + たて壁厚 + かかと版幅 (footing_left_width + wall_thickness + footing_right_width, "
                               "PlenkL.dat 1行目): 2800 mm が幅の制限 2500 mm を 300 mm 超えている\n";
    const auto utf8 = test::run_program(dir_.path().string(), "", "LC_ALL=C.UTF-8");
    EXPECT_EQ(utf8.status, 1);
    EXPECT_EQ(utf8.console, stop);
    EXPECT_EQ(test::run_program(dir_.path().string(), "", "LANG=ja_JP.UTF-8").console, stop);
    EXPECT_EQ(run().console, *utf8_to_sjis(stop));
    EXPECT_EQ(test::run_program(dir_.path().string(), "--check", "LC_CTYPE=C.UTF-8").console, detail);
    EXPECT_EQ(run("--check").console, *utf8_to_sjis(detail));
    EXPECT_TRUE(test::run_program(dir_.path().string(), "--check", "LANG=en_US.UTF-8").console.starts_with("PlenkL.dat line 1"));
    EXPECT_EQ(test::run_program(dir_.path().string(), "--check", "LC_ALL=C.UTF-8 LANG=en_US").console, detail);
    EXPECT_TRUE(test::run_program(dir_.path().string(), "--check", "LC_MESSAGES=en_GB LANG=ja_JP.UTF-8").console.starts_with("PlenkL.dat line 1"));
    EXPECT_EQ(test::run_program(dir_.path().string(), "--check --lang ja", "LANG=en_US.UTF-8").console, detail);
}

// The lines of an explanation that show a field: "line <n>  <name>  <value> <unit>  <labels>".
std::vector<std::string> field_lines(const std::string& console) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < console.size()) {
        const std::size_t end = console.find('\n', start);
        const std::string line = console.substr(start, end - start);
        if (line.starts_with("line ")) out.push_back(line);
        start = end == std::string::npos ? console.size() : end + 1;
    }
    return out;
}

// However the input files fall into the reader's pieces, every byte is read: a wall file one byte
// past a power of two, its last byte a digit of the last value, draws what the file without the
// padding draws.
TEST_F(CommandLine, InputFilesAreReadWholeWhateverTheirSize) {
    use_example("sloped");
    ASSERT_EQ(run().status, 0);
    const std::string dxf = file("Lwall.dxf");
    std::string wall = file("PlenkL.dat");
    while (wall.back() == '\n' || wall.back() == '\r') wall.pop_back();
    for (const std::size_t size : {std::size_t{4097}, std::size_t{16385}, std::size_t{65537}}) {
        std::ofstream(dir_ / "PlenkL.dat", std::ios::binary) << std::string(size - wall.size(), ' ') + wall;
        ASSERT_EQ(fs::file_size(dir_ / "PlenkL.dat"), size);
        EXPECT_EQ(run().status, 0) << size;
        EXPECT_TRUE(test::same_text(file("Lwall.dxf"), dxf)) << size;
    }
}

TEST_F(CommandLine, ExplainShowsEveryFieldWithTheLineItWasReadFrom) {
    use_example("level");
    // A blank line after line 25 moves W1's spacings and everything below one line down.
    std::string wall = file("PlenkL.dat");
    std::size_t at = 0;
    for (int n = 0; n < 25; ++n) at = wall.find('\n', at) + 1;
    wall.insert(at, "\n");
    std::ofstream(dir_ / "PlenkL.dat", std::ios::binary) << wall;
    const auto r = run("--explain --lang en");
    EXPECT_EQ(r.status, 0);
    const auto lines = field_lines(r.console);
    ASSERT_EQ(lines.size(), 165u) << r.console;
    EXPECT_EQ(lines.front(), std::string("line 1   footing_left_width        500 mm  ") + std::string(u8"つま先版幅"_sj) +
                                 " / toe width");
    EXPECT_TRUE(lines[95].starts_with("line 27  W1.count[2]                10 -   ")) << lines[95];
    EXPECT_TRUE(lines.back().starts_with("line 44  S2.dia                     13 mm  ")) << lines.back();
    EXPECT_NE(r.console.find(std::string("# ") + std::string(u8"W1 背面縦筋"_sj) + " / W1 back-face vertical bars\n"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(dir_ / "Lwall.dxf"));
}

TEST_F(CommandLine, ExplainShowsTheTitleAndConditionsFilesAfterTheWall) {
    use_example("level");
    auto r = run("--explain --lang en");
    EXPECT_TRUE(r.console.ends_with("# HyodaiL.dat: not in the folder; the title block's boxes stay empty, " +
                                    std::string(u8"図面名 reads 擁壁配筋図"_sj) +
                                    "\n# SekkeiL.dat: not in the folder; no design checks\n"))
        << r.console;
    // The design conditions with the defaults of the values the file leaves out.
    std::ofstream(dir_ / "SekkeiL.dat", std::ios::binary) << "18\r\n\r\n";
    r = run("--explain --lang en");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(field_lines(r.console).size(), 165u + 14u);
    EXPECT_NE(r.console.find("line 1   soil_unit_weight             18 kN/m3"), std::string::npos) << r.console;
    EXPECT_NE(r.console.find("line 2   friction_angle               30 deg   "), std::string::npos);
    EXPECT_NE(r.console.find("backfill friction angle  (default 30)\n"), std::string::npos);
    std::ofstream(dir_ / "SekkeiL.dat", std::ios::binary) << "18\n\n\n\n\n\n\n\n\n\n\n\nSD490\n";
    r = run("--explain --lang en");
    EXPECT_EQ(r.status, 6);
    EXPECT_EQ(field_lines(r.console).size(), 165u + 12u);
    EXPECT_TRUE(r.console.ends_with("SekkeiL.dat line 13, steel_grade: the steel grade must be SD295 or SD345 (no "
                                    "allowable stresses for \"SD490\")\n"))
        << r.console;
    fs::remove(dir_ / "SekkeiL.dat");
    std::ofstream(dir_ / "HyodaiL.dat", std::ios::binary) << std::string(u8"○○擁壁工事\r\n\r\n"_sj);
    r = run("--explain --lang en");
    EXPECT_EQ(r.status, 0);
    const auto lines = field_lines(r.console);
    ASSERT_EQ(lines.size(), 165u + 8u) << r.console;
    EXPECT_NE(r.console.find("\n# HyodaiL.dat\n# " + std::string(u8"表題欄"_sj) + " / Title block\n"), std::string::npos);
    EXPECT_EQ(lines[165], "line 1   project             \"" + std::string(u8"○○擁壁工事\"  工事名"_sj) + " / project");
    EXPECT_EQ(lines[167], "line 3   drawing_name        (empty: " + std::string(u8"擁壁配筋図)  図面名"_sj) +
                              " / drawing name");
    // A refused value ends it with the refusal and its status, after the values before it.
    std::ofstream(dir_ / "HyodaiL.dat", std::ios::binary) << "a\nb\tc\n";
    r = run("--explain --lang en");
    EXPECT_EQ(r.status, 6);
    EXPECT_EQ(field_lines(r.console).size(), 165u + 1u);
    EXPECT_TRUE(r.console.ends_with("HyodaiL.dat line 2, route_and_place: holds the control character 0x09 at byte 2\n"))
        << r.console;
}

TEST_F(CommandLine, ExplainOfARefusedFileShowsWhatWasReadThenTheRefusal) {
    use_example("level");
    std::ofstream(dir_ / "PlenkL.dat", std::ios::binary) << "500,300,1000\n2000,400,2000\n5000,5x00\n";
    auto r = run("--explain --lang en");
    EXPECT_EQ(r.status, 6);
    const auto lines = field_lines(r.console);
    ASSERT_EQ(lines.size(), 9u) << r.console;
    EXPECT_TRUE(lines[6].starts_with("line 2   height_right                0 mm  ")) << lines[6];
    EXPECT_TRUE(lines[6].ends_with("(not in the file: 0)")) << lines[6];
    EXPECT_TRUE(lines[8].starts_with("line 3   length_right                ? mm  ")) << lines[8];
    EXPECT_TRUE(r.console.ends_with("(refused)\nPlenkL.dat line 3, length_right: expected a number, found \"5x00\"\n"))
        << r.console;
    // A value read but refused shows as read, marked refused.
    std::ofstream(dir_ / "PlenkL.dat", std::ios::binary) << "500,300,1000\n2000,400,2000,2100\n5000,5000\n"
                                                            "60,70,80,90,110,120\n130\n140,150,9000\n7\n";
    r = run("--explain --lang en");
    EXPECT_EQ(r.status, 6);
    EXPECT_TRUE(r.console.ends_with("line 7   F1.zones                    7 -   " + std::string(u8"区間数"_sj) +
                                    " / zones in use  (refused)  (not used)\n"
                                    "PlenkL.dat line 7, F1.zones: must be 0 to 5, found 7\n"))
        << r.console;
    // A wall read whole but refused afterwards: every field, then the refusal.
    use_example("level");
    std::string wide = file("PlenkL.dat");
    wide.replace(0, wide.find('\n'), "1500,300,1000");
    std::ofstream(dir_ / "PlenkL.dat", std::ios::binary) << wide;
    r = run("--explain --lang en");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(field_lines(r.console).size(), 165u);
    // The width stop names the fields it adds up and by how much they pass the limit.
    EXPECT_TRUE(r.console.ends_with("PlenkL.dat line 1, footing_left_width + wall_thickness + footing_right_width: "
                                    "2800 mm, 300 mm more than the width limit of 2500 mm\n"))
        << r.console;
}

// After a stop no Lwall.csv is left that could be taken for this wall's quantities: not the one
// the run opened, nor a whole one from an earlier run on another wall. Lwall.dxf keeps what was
// written before the stop.
TEST_F(CommandLine, NoSpreadsheetIsLeftAfterAStop) {
    const std::string level = test::example_file("level", "PlenkL.dat");
    struct Stop {
        const char* what;
        std::string wall;  // empty: no layer file
        const char* args;
        int status;
    };
    const std::vector<Stop> stops = {
        {"member length", level_with("100,100,12000", "100,100,4000"), "--csv", 5},
        {"refused", level_with("4\n16,0", "7\n16,0"), "--csv", 6},
        {"too wide", level_with("500,300,1000", "1500,300,1000"), "--csv", 1},
        {"no layer file", "", "--csv", 4},
        {"picture", level, "--svg --csv", 9},
    };
    for (const Stop& stop : stops) {
        use_example("sloped");
        ASSERT_EQ(run("--csv").status, 0) << stop.what;
        ASSERT_TRUE(fs::exists(dir_ / "Lwall.csv")) << stop.what;
        std::ofstream(dir_ / "PlenkL.dat", std::ios::binary) << stop.wall;
        if (stop.wall.empty()) fs::remove(dir_ / "GasouL.dat");
        if (stop.status == 9) fs::create_directory(dir_ / "Lwall.svg");
        const auto r = run(stop.args);
        EXPECT_EQ(r.status, stop.status) << stop.what << ": " << r.console;
        EXPECT_FALSE(fs::exists(dir_ / "Lwall.csv")) << stop.what;
        if (stop.status == 5) {
            EXPECT_NE(file("Lwall.dxf").find("ENTITIES"), std::string::npos) << stop.what;
        }
        fs::remove(dir_ / "Lwall.svg");
    }
    // A folder in the spreadsheet's place is no spreadsheet, and stays.
    use_example("level");
    fs::create_directory(dir_ / "Lwall.csv");
    const auto r = run("--csv");
    EXPECT_EQ(r.status, 9);
    EXPECT_EQ(r.console, "can't create Lwall.csv\n");
    EXPECT_TRUE(fs::is_directory(dir_ / "Lwall.csv"));
}

// One SXF sheet per frame, the drawing unchanged; the set in the folder is always this run's: the
// sheets an earlier run left beyond it go, a stop keeps the frames it drew (none when it drew
// none), and a sheet that cannot be written is status 9.
TEST_F(CommandLine, SheetsAreThisRunsFramesOnly) {
    use_example("sloped");
    ASSERT_EQ(run().status, 0);
    const std::string dxf = file("Lwall.dxf");
    for (const char* stale : {"Lwall-3.sfc", "Lwall-4.sfc"}) std::ofstream(dir_ / stale) << "another wall";
    const auto r = run("--sfc");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.console + r.errors, "");
    EXPECT_TRUE(test::same_text(file("Lwall.dxf"), dxf));
    for (const char* name : {"Lwall-1.sfc", "Lwall-2.sfc"}) {
        EXPECT_TRUE(file(name).starts_with("ISO-10303-21;\r\n")) << name;
    }
    EXPECT_FALSE(fs::exists(dir_ / "Lwall-3.sfc"));
    EXPECT_FALSE(fs::exists(dir_ / "Lwall-4.sfc"));

    // The member-length stop drew frame 1 only.
    std::ofstream(dir_ / "PlenkL.dat", std::ios::binary) << level_with("100,100,12000", "100,100,4000");
    EXPECT_EQ(run("--sfc").status, 5);
    EXPECT_TRUE(fs::exists(dir_ / "Lwall-1.sfc"));
    EXPECT_FALSE(fs::exists(dir_ / "Lwall-2.sfc"));
    std::ofstream(dir_ / "PlenkL.dat", std::ios::binary) << level_with("4\n16,0", "7\n16,0");
    EXPECT_EQ(run("--sfc").status, 6);
    EXPECT_FALSE(fs::exists(dir_ / "Lwall-1.sfc"));

    // A sheet that cannot be written: the others are.
    use_example("sloped");
    fs::create_directory(dir_ / "Lwall-1.sfc");
    const auto blocked = run("--sfc");
    EXPECT_EQ(blocked.status, 9);
    EXPECT_EQ(blocked.console, "can't create Lwall-1.sfc\n");
    EXPECT_TRUE(fs::exists(dir_ / "Lwall-2.sfc"));
}

TEST_F(CommandLine, HelpVersionAndUnknownOptions) {
    const auto help = run("--help --lang en");
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.console.starts_with("usage: lwall")) << help.console;
    EXPECT_NE(help.console.find("--check"), std::string::npos);
    const auto version = run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.console.starts_with("lwall ")) << version.console;
    const auto unknown = run("--dwg --lang en");
    EXPECT_EQ(unknown.status, 8);
    EXPECT_EQ(unknown.console, "lwall: unknown option --dwg; usage: lwall [--svg] [--csv] [--pdf] [--sfc] | --check | --explain | --report | --help | --version | "
              "serve [--port N] [--host ADDR] [--dir DIR] [--open]  (--lang ja|en)\n");
    EXPECT_EQ(run("--lang fr").status, 8);
    EXPECT_EQ(run("--check --csv").status, 8);
    EXPECT_FALSE(fs::exists(dir_ / "Lwall.dxf"));
}

// `lwall serve` hands the editor the arguments after "serve" (--lang taken out, its language
// passed on); a build without the editor says why, with the usage status.
TEST(CommandLineDoor, ServeGoesToTheEditorOrSaysWhyItIsMissing) {
    static std::vector<std::string> handed;
    static Lang handed_lang = Lang::ja;
    const ServeDoor editor{[](int argc, const char* const* argv, std::FILE*, std::FILE*, const ConsoleStyle& style) {
                               handed.assign(argv, argv + argc);
                               handed_lang = style.lang;
                               return 42;
                           },
                           ""};
    const char* args[] = {"lwall", "serve", "--port", "0", "--lang", "en", "--open"};
    test::TempFolder dir;
    const std::string out = (dir.path() / "console").string();
    std::FILE* console = std::fopen(out.c_str(), "wb");
    ASSERT_NE(console, nullptr);
    EXPECT_EQ(run_command_line(7, args, console, console, ConsoleStyle{}, editor), 42);
    EXPECT_EQ(handed, (std::vector<std::string>{"--port", "0", "--open"}));
    EXPECT_EQ(handed_lang, Lang::en);
    EXPECT_EQ(run_command_line(6, args, console, console, ConsoleStyle{}, ServeDoor{nullptr, "no HTTP library"}), 8);
    std::fclose(console);
    EXPECT_EQ(test::read_file(out), "lwall: serve is not in this build of lwall: no HTTP library\n");
}

// Each extra file that cannot be created (a folder stands in its place) is named, with status 9.
TEST_F(CommandLine, AnExtraFileThatCannotBeCreatedIsReported) {
    use_example("level");
    std::vector<const char*> options = {"svg", "csv"};
#ifdef LWALL_PDF_BUILT
    // Only this build's own program is known to have the pages (a Windows build run under Wine has not).
    if (std::getenv("LWALL_PROGRAM") == nullptr) options.push_back("pdf");
#endif
    for (const char* option : options) {
        const std::string name = std::string("Lwall.") + option;
        fs::create_directory(dir_ / name);
        const auto r = run(std::string("--") + option);
        EXPECT_EQ(r.status, 9) << name;
        EXPECT_EQ(r.console, "can't create " + name + "\n");
        fs::remove(dir_ / name);
    }
}

// A file the disk will not take (/dev/full refuses every byte) fails the run that drew it: the file
// is named, with its status, and no other file reports it.
TEST_F(CommandLine, AFileTheDiskWillNotTakeFailsTheRunWithItsStatus) {
    if (!fs::exists("/dev/full") || std::getenv("LWALL_PROGRAM") != nullptr) GTEST_SKIP() << "needs /dev/full";
    std::vector<std::pair<std::string, int>> files = {{"Lwall.dxf", 1},  {"plenk.scr", 2},  {"Lwall.svg", 9},
                                                      {"Lwall.csv", 9},  {"Lwall-1.sfc", 9}};
#ifdef LWALL_PDF_BUILT
    files.emplace_back("Lwall.pdf", 9);
    const std::string options = "--svg --csv --sfc --pdf --lang en";
#else
    const std::string options = "--svg --csv --sfc --lang en";
#endif
    for (const auto& [name, status] : files) {
        use_example("level");
        fs::remove(dir_ / name);
        fs::create_symlink("/dev/full", dir_ / name);
        const auto r = run(options);
        EXPECT_EQ(r.status, status) << name;
        EXPECT_EQ(r.console, "can't write " + name + "\n") << name;
        fs::remove(dir_ / name);
    }
}

}  // namespace
}  // namespace lwall
