// The design conditions through the command line as an engineer meets them: a batch run warns of a
// failing check and draws the same sheet with the same status; --check lists every result with its
// limit and fails on one; --report writes the spreadsheet and the calculation report, the same
// bytes every time.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/sjis.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

namespace fs = std::filesystem;

// γ 19, φ 30, c 0, β 0, q 10 from the wall, kh 0.2, μ 0.6, an allowable bearing of 50 kN/m² that the
// level example's toe (60.7) passes, the rest the defaults.
constexpr const char* kFailingConditions = "19\r\n30\r\n0\r\n0\r\n10\r\n0\r\n0.2\r\n0.6\r\n50\r\n";

class DesignRun : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"PlenkL.dat", "GasouL.dat"}) write(name, test::example_file("level", name));
    }
    void write(const char* name, const std::string& text) { std::ofstream(dir_ / name, std::ios::binary) << text; }
    std::string file(const char* name) const { return test::read_file((dir_ / name).string()); }
    test::ProgramRun run(const std::string& args = "") { return test::run_program(dir_.path().string(), args); }

    test::TempFolder dir_;
};

TEST_F(DesignRun, ABatchRunWarnsOfAFailingCheckAndDrawsTheSameSheet) {
    ASSERT_EQ(run().status, 0);
    const std::string dxf = file("Lwall.dxf");
    const std::string scr = file("plenk.scr");
    write("SekkeiL.dat", kFailingConditions);
    const auto r = run("--lang en");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.console, "");
    EXPECT_NE(r.errors.find("warning: design check (SekkeiL.dat): base pressure at the toe q1, normal, highest section, "
                            "H = 2.000 m: 60.7 kN/m2 exceeds the limit 50.0 kN/m2\n"),
              std::string::npos)
        << r.errors;
    EXPECT_TRUE(test::same_text(file("Lwall.dxf"), dxf));
    EXPECT_TRUE(test::same_text(file("plenk.scr"), scr));
    // A conditions file refused stops the run as a refused title file does.
    write("SekkeiL.dat", "19\n75\n");
    const auto refused = run("--lang en");
    EXPECT_EQ(refused.status, 6);
    EXPECT_EQ(refused.console, "SekkeiL.dat line 2, friction_angle: must be more than 0 and less than 60 deg\n");
    // An empty file is no file.
    write("SekkeiL.dat", "");
    EXPECT_EQ(run().errors, "");
}

TEST_F(DesignRun, CheckListsEveryResultWithItsLimitAndFailsOnOne) {
    write("SekkeiL.dat", "");
    const auto plain = run("--check");
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.console, "");
    write("SekkeiL.dat", "19\n30\n");
    const auto ok = run("--check --lang en");
    EXPECT_EQ(ok.status, 0) << ok.console;
    EXPECT_TRUE(ok.console.starts_with("# design checks (SekkeiL.dat)\n")) << ok.console;
    EXPECT_NE(ok.console.find("sliding factor Fs (normal, highest section, H = 2.000 m): 1.84 >= 1.50  OK\n"),
              std::string::npos)
        << ok.console;
    // The console of the C locale speaks Shift_JIS.
    EXPECT_NE(ok.console.find(*utf8_to_sjis("stem, steel tensile stress σs (normal, highest section, H = 2.000 m, W1 D16@250 "
                                            "d=200mm): ")),
              std::string::npos);
    EXPECT_EQ(ok.console.find("seismic"), std::string::npos);  // no seismic coefficient, no seismic case
    write("SekkeiL.dat", kFailingConditions);
    const auto failing = run("--check --lang en");
    EXPECT_EQ(failing.status, 7);
    EXPECT_NE(failing.console.find("60.7 kN/m2 <= 50.0 kN/m2  NG\n"), std::string::npos) << failing.console;
    EXPECT_FALSE(fs::exists(dir_ / "Lwall.dxf"));
}

TEST_F(DesignRun, ReportWritesTheSpreadsheetAndTheCalculation) {
    const auto none = run("--report --lang en");
    EXPECT_EQ(none.status, 6);
    EXPECT_EQ(none.console, "lwall --report: no SekkeiL.dat (design conditions) in this folder\n");
    EXPECT_EQ(run("--report --csv").status, 8);
    write("SekkeiL.dat", kFailingConditions);
    const auto r = run("--report --lang en");
    EXPECT_NE(r.errors.find("warning: design check (SekkeiL.dat): "), std::string::npos);
    const std::string csv = file("Lwall-calc.csv");
    const std::vector<std::string> lines = test::crlf_lines(csv);
    ASSERT_GT(lines.size(), 20u);
    EXPECT_EQ(sjis_to_utf8(lines[0]), "表,項目,名称,値,単位,既定値");
    EXPECT_NE(sjis_to_utf8(csv).find("照査,地盤反力 つま先 q1,\"常時, 最高断面 H=2.000m\",60.7 kN/m2,≦ 50.0 kN/m2,NG"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(dir_ / "Lwall.dxf"));
    // Conditions refused: no report of the earlier run is left to be taken for this one.
    write("SekkeiL.dat", "19\n30\n0\n0\n10\n0\n0.7\n");
    EXPECT_EQ(run("--report").status, 6);
    EXPECT_FALSE(fs::exists(dir_ / "Lwall-calc.csv"));
    EXPECT_FALSE(fs::exists(dir_ / "Lwall-calc.pdf"));
    write("SekkeiL.dat", kFailingConditions);
    ASSERT_EQ(run("--report").status, r.status);
#ifdef LWALL_PDF_BUILT
    ASSERT_EQ(r.status, 0) << r.console;
    const std::string pdf = file("Lwall-calc.pdf");
    EXPECT_TRUE(pdf.starts_with("%PDF-"));
    ASSERT_EQ(run("--report").status, 0);
    EXPECT_EQ(file("Lwall-calc.pdf"), pdf);  // no clock in the file
    if (std::system("pdftotext -v > /dev/null 2>&1") == 0) {
        std::string text;
        const std::string command = "pdftotext -raw '" + (dir_ / "Lwall-calc.pdf").string() + "' -";
        if (std::FILE* p = popen(command.c_str(), "r")) {
            char buf[4096];
            for (std::size_t n = 0; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) text.append(buf, n);
            pclose(p);
        }
        EXPECT_NE(text.find("L型擁壁 安定計算書"), std::string::npos);
        EXPECT_NE(text.find("Fs = μ ΣV / ΣH = 0.60 × 80.34 / 26.24 = 1.84 ≧ 1.50 OK"), std::string::npos) << text;
    }
#else
    EXPECT_EQ(r.status, 11);
#endif
}

}  // namespace
}  // namespace lwall
