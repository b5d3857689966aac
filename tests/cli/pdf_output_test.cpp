// Lwall.pdf as a plotter's reader sees it, through poppler's tools: a page per frame, A1 landscape,
// its fonts embedded, its text extractable, and each frame at its true scale the right way up.
// Skipped in a build without the PDF module or where poppler-utils is missing, unless
// LWALL_REQUIRE_PDF is set (as CI sets it).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/sjis.hpp"
#include "sheet/run_sheet.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

namespace fs = std::filesystem;

constexpr double kPointsPerMm = 72.0 / 25.4;

// What a command prints on standard output.
std::string output_of(const std::string& command) {
    std::string out;
    if (std::FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        for (std::size_t n = 0; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
        pclose(p);
    }
    return out;
}

std::vector<std::string> split(const std::string& text, char at) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, at);) parts.push_back(part);
    return parts;
}

// The value of attribute `name` in an element of pdftotext -bbox.
double attribute(const std::string& element, const std::string& name) {
    const std::size_t at = element.find(name + "=\"");
    return at == std::string::npos ? -1 : std::atof(element.c_str() + at + name.size() + 2);
}

class PdfOutput : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef LWALL_PDF_BUILT
        const char* missing = std::system("pdfinfo -v > /dev/null 2>&1") != 0 ? "poppler-utils is missing" : nullptr;
#else
        const char* missing = "this build has no PDF module";
#endif
        if (missing != nullptr) {
            if (std::getenv("LWALL_REQUIRE_PDF") != nullptr) FAIL() << missing;
            GTEST_SKIP() << missing;
        }
        for (const char* name : {"PlenkL.dat", "GasouL.dat"}) {
            std::ofstream(dir_ / name, std::ios::binary) << test::example_file("sloped", name);
        }
        const test::ProgramRun run = test::run_program(dir_.path().string(), "--pdf --csv");
        ASSERT_EQ(run.status, 0) << run.console;
        EXPECT_EQ(run.console, "");
        EXPECT_EQ(run.errors, "");
        frames_ = run_sheet(test::example_file("sloped", "PlenkL.dat"), test::example_file("sloped", "GasouL.dat")).frames;
        ASSERT_GE(frames_.size(), 2u);
    }
    std::string pdf() const { return "'" + (dir_ / "Lwall.pdf").string() + "'"; }

    test::TempFolder dir_;
    SheetFrames frames_;
};

TEST_F(PdfOutput, APageAFrameWithItsFontsEmbeddedAndItsTextExtractable) {
    const std::string n = std::to_string(frames_.size());
    const std::string info = output_of("pdfinfo -f 1 -l " + n + " " + pdf());
    EXPECT_NE(info.find("Pages:           " + n + "\n"), std::string::npos) << info;
    int sized = 0;
    for (const std::string& line : split(info, '\n')) {
        if (!line.starts_with("Page ") || line.find(" size: ") == std::string::npos) continue;
        double w = 0, h = 0;
        ASSERT_EQ(std::sscanf(line.c_str() + line.find(" size: ") + 7, "%lf x %lf", &w, &h), 2) << line;
        EXPECT_NEAR(w, 841 * kPointsPerMm, 0.5) << line;  // A1 landscape
        EXPECT_NEAR(h, 594 * kPointsPerMm, 0.5) << line;
        ++sized;
    }
    EXPECT_EQ(sized, static_cast<int>(frames_.size())) << info;

    // Every font embedded as a subset ("ABCDEF+IPAGothic", emb yes, sub yes).
    const std::vector<std::string> fonts = split(output_of("pdffonts " + pdf()), '\n');
    ASSERT_GT(fonts.size(), 2u);
    for (std::size_t i = 2; i < fonts.size(); ++i) {
        EXPECT_EQ(fonts[i].find('+'), 6u) << fonts[i];
        EXPECT_NE(fonts[i].find(" yes yes yes "), std::string::npos) << fonts[i];
    }

    // The titles of both frames, and the first row of the bending schedule as the spreadsheet
    // holds it: its mark and its first leg, which its bending drawing prints.
    const std::string text = output_of("pdftotext -raw " + pdf() + " -");
    EXPECT_NE(text.find("鉄 筋 組 立 図"), std::string::npos);
    EXPECT_NE(text.find("鉄 筋 加 工 図"), std::string::npos);
    const std::string csv = sjis_to_utf8(test::read_file((dir_ / "Lwall.csv").string()));
    const std::size_t row = csv.find("\n鉄筋加工図,");
    ASSERT_NE(row, std::string::npos);
    const std::vector<std::string> cells = split(csv.substr(row + 1, csv.find('\r', row) - row - 1), ',');
    ASSERT_GT(cells.size(), 6u);
    EXPECT_NE(text.find(cells[1]), std::string::npos) << cells[1];
    EXPECT_NE(text.find("\n" + cells[6] + "\n"), std::string::npos) << cells[6];
}

// A stop keeps the pages drawn before it: the member-length stop frame 1 as far as it was drawn, a
// stop before any frame none, and an empty file is no PDF.
TEST_F(PdfOutput, AStopLeavesThePagesDrawnBeforeIt) {
    std::string level = test::example_file("level", "PlenkL.dat");
    std::ofstream(dir_ / "PlenkL.dat", std::ios::binary) << std::string(level).replace(level.find("100,100,12000"), 13, "100,100,3000");
    ASSERT_EQ(test::run_program(dir_.path().string(), "--pdf").status, 5);
    EXPECT_NE(output_of("pdfinfo " + pdf()).find("Pages:           1\n"), std::string::npos);
    std::ofstream(dir_ / "PlenkL.dat", std::ios::binary) << level.replace(0, 3, "2500");
    ASSERT_EQ(test::run_program(dir_.path().string(), "--pdf").status, 1);
    EXPECT_EQ(fs::file_size(dir_ / "Lwall.pdf"), 0u);
}

// The same wall gives the same file run after run: dated by the title block's 年月日, or by one
// fixed date without it, never by the clock.
TEST_F(PdfOutput, TheSameWallGivesTheSameBytes) {
    const std::string first = test::read_file((dir_ / "Lwall.pdf").string());
    EXPECT_NE(output_of("pdfinfo -isodates " + pdf()).find("CreationDate:    1970-01-01T00:00:00"), std::string::npos);
    std::ofstream(dir_ / "HyodaiL.dat", std::ios::binary) << *utf8_to_sjis("\r\n\r\n\r\n\r\n令和8年12月7日\r\n");
    ASSERT_EQ(test::run_program(dir_.path().string(), "--pdf").status, 0);
    EXPECT_NE(output_of("pdfinfo -isodates " + pdf()).find("CreationDate:    2026-12-07T00:00:00"), std::string::npos);
    fs::remove(dir_ / "HyodaiL.dat");
    ASSERT_EQ(test::run_program(dir_.path().string(), "--pdf --csv").status, 0);
    EXPECT_TRUE(test::read_file((dir_ / "Lwall.pdf").string()) == first);
}

// Page 1 drawn at 72 dots an inch (a dot a point): the frame's border must stand 800 x 550 mm
// centred on the page, and the sheet's title where its insertion point says, the right way up.
TEST_F(PdfOutput, TheFrameLandsAtItsTrueScaleTheRightWayUp) {
    const SheetFrame& f = frames_[0];
    const std::string page = output_of("pdftoppm -f 1 -l 1 -r 72 -gray " + pdf());
    int w = 0, h = 0, max = 0, header = 0;
    ASSERT_EQ(std::sscanf(page.c_str(), "P5 %d %d %d%n", &w, &h, &max, &header), 3);
    ASSERT_EQ(page.size(), static_cast<std::size_t>(header + 1 + w * h));
    const auto dark = [&](int x, int y) { return static_cast<unsigned char>(page[header + 1 + y * w + x]) < 128; };
    // The border's lines: the centre of the first and last run of dots dark over most of the page.
    const auto border = [](const std::vector<int>& counts, int at_least) {
        std::vector<double> centres;
        for (std::size_t i = 0; i < counts.size(); ++i) {
            if (counts[i] < at_least) continue;
            std::size_t end = i;
            while (end + 1 < counts.size() && counts[end + 1] >= at_least) ++end;
            centres.push_back((i + end + 1) / 2.0);
            i = end;
        }
        return centres;
    };
    std::vector<int> columns(w), rows(h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (dark(x, y)) ++columns[x], ++rows[y];
        }
    }
    const std::vector<double> xs = border(columns, h * 3 / 4), ys = border(rows, w * 3 / 4);
    ASSERT_GE(xs.size(), 2u);
    ASSERT_GE(ys.size(), 2u);
    EXPECT_NEAR(xs.front(), 20.5 * kPointsPerMm, 1);
    EXPECT_NEAR(xs.back(), 820.5 * kPointsPerMm, 1);
    EXPECT_NEAR(ys.front(), 22 * kPointsPerMm, 1);
    EXPECT_NEAR(ys.back(), 572 * kPointsPerMm, 1);

    // The title's first character starts at its insertion point, its baseline within the glyph's box
    // and the box as tall as the text's height at 1:scale.
    const auto entities = test::file_entities(test::read_file((dir_ / "Lwall.dxf").string()));
    const auto title = std::find_if(entities.begin(), entities.end(),
                                    [](const test::DxfEntity& e) { return e.type == "TEXT" && e.get(1) == u8"鉄 筋 組 立 図"_sj; });
    ASSERT_NE(title, entities.end());
    const double x = (20.5 + (title->num(10) - f.x) / f.scale) * kPointsPerMm;
    const double baseline = (22 + 550 - (title->num(20) - f.y) / f.scale) * kPointsPerMm;
    const double size = title->num(40) / f.scale * kPointsPerMm;
    const std::string words = output_of("pdftotext -f 1 -l 1 -bbox " + pdf() + " -");
    const std::size_t at = words.find(">鉄</word>");
    ASSERT_NE(at, std::string::npos);
    const std::string word = words.substr(words.rfind("<word", at), at - words.rfind("<word", at));
    EXPECT_NEAR(attribute(word, "xMin"), x, 1) << word;
    EXPECT_LT(attribute(word, "yMin"), baseline) << word;
    EXPECT_GT(attribute(word, "yMax"), baseline) << word;
    EXPECT_NEAR(attribute(word, "yMax") - attribute(word, "yMin"), size, 1) << word;
}

// A program that cannot make a PDF (copied without its module beside it, or the Windows program)
// refuses --pdf in one line with status 11 before it touches any file: the drawing an earlier run
// left stays as it was, and no Lwall.pdf appears.
TEST(PdfRefusal, WithoutItsModuleOneLineStatus11AndNoFileTouched) {
    const test::TempFolder bin, dir;
    const char* other = std::getenv("LWALL_PROGRAM");
    if (other == nullptr) {
        fs::copy_file(LWALL_EXE, bin / "lwall");
        setenv("LWALL_PROGRAM", ("'" + (bin / "lwall").string() + "'").c_str(), 1);
    }
    for (const char* f : {"PlenkL.dat", "GasouL.dat"}) std::ofstream(dir / f, std::ios::binary) << test::example_file("level", f);
    std::ofstream(dir / "Lwall.dxf", std::ios::binary) << "an earlier run's drawing";
    const test::ProgramRun run = test::run_program(dir.path().string(), "--pdf --lang en");
    if (other == nullptr) unsetenv("LWALL_PROGRAM");
    EXPECT_EQ(run.status, 11);
    EXPECT_EQ(std::count(run.console.begin(), run.console.end(), '\n'), 1) << run.console;
#ifdef LWALL_PDF_BUILT
    // The line passes on the loader's own reason, which names the module it looked for.
    if (other == nullptr) {
        EXPECT_TRUE(run.console.starts_with("lwall --pdf: can't load the PDF writer: " + (bin / "").string()))
            << run.console;
        EXPECT_NE(run.console.find("No such file"), std::string::npos) << run.console;
    }
#endif
    EXPECT_EQ(test::read_file((dir / "Lwall.dxf").string()), "an earlier run's drawing");
    EXPECT_FALSE(fs::exists(dir / "Lwall.pdf"));
    EXPECT_FALSE(fs::exists(dir / "plenk.scr"));
}

}  // namespace
}  // namespace lwall
