// Many random but plausible walls through a whole in-memory run: level and sloped both ways, split
// and unsplit bars, every bar size, the size limits exactly. Each run must end in a specified way,
// write only finite numbers, and print every bar of the list exactly once.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/run_failure.hpp"
#include "sheet/run_sheet.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

constexpr int kSizes[] = {13, 16, 19, 22, 25, 29, 32, 35, 38, 41, 51};

class WallMaker {
public:
    explicit WallMaker(unsigned seed) : rng_(seed) {}

    std::string next() {
        std::ostringstream f;
        const double T = pick(200, 600);
        double Bl = pick(0, 1200);
        double Br = pick(300, 1800);
        if (chance(0.1)) Br = 2500 - T - Bl;  // exactly the width limit
        Br = std::max(100.0, std::min(Br, 2500 - T - Bl));
        const double Hf = pick(250, 600);
        const double Hw = chance(0.1) ? 3000 - Hf : pick(800, 3000 - Hf);
        double hl = Hw;
        double hr = Hw;
        const int slope = roll(3);  // level, left higher, right higher
        const double rise = pick(100, 700);
        if (slope == 1) { hl = Hw + rise / 2; hr = Hw - rise / 2; }
        if (slope == 2) { hl = Hw - rise / 2; hr = Hw + rise / 2; }
        const double Ll = chance(0.05) ? 0 : pick(1500, 25000);
        const double Lr = pick(1500, 25000);
        const double c1 = pick(50, 120), c2 = pick(50, 120), c3 = pick(40, 120), c4 = pick(40, 120);
        const double c5 = pick(40, 120), c6 = pick(40, 120), ct = pick(50, 120);
        const double el = pick(50, 150), er = pick(50, 150);
        const double run = Ll + Lr - el - er;
        const double options[] = {run - 1, run, run + 1, 6000, 9000, 12000, run / 2 + 3000};
        const double Lmax = std::max(1000.0, options[roll(7)]);
        f << Bl << ',' << T << ',' << Br << '\n' << Hw << ',' << Hf << ',' << hl << ',' << hr << '\n';
        f << Ll << ',' << Lr << '\n' << c1 << ',' << c2 << ',' << c3 << ',' << c4 << ',' << c5 << ',' << c6 << '\n';
        f << ct << '\n' << el << ',' << er << ',' << Lmax << '\n';
        const double B = Bl + T + Br;
        along_footing(f, Lr - er, Ll - el);                     // F1
        along_footing(f, Ll - el, Lr - er);                     // F2
        across_footing(f, B - 2 * c3);                          // F3
        across_footing(f, B - 2 * c3);                          // F4
        along_wall(f, Ll - el, Lr - er);                        // W1
        along_wall(f, Ll - el, Lr - er);                        // W2
        const double start = Hf - c2;
        const double low = Hf + std::min(hl, hr) - ct - start;
        const double high = Hf + std::max(hl, hr) - ct - start;
        // W3 reaches the higher end when the right end is higher, W4 when the left end is.
        up_wall(f, slope == 0 ? low : (slope == 2 ? high : low), slope == 0);  // W3
        up_wall(f, slope == 0 ? low : (slope == 1 ? high : low), slope == 0);  // W4
        along_wall(f, Ll - el, Lr - er);                                      // W5
        f << size() << ',' << size() << '\n';
        return f.str();
    }

private:
    double pick(double lo, double hi) { return std::round(std::uniform_real_distribution<double>(lo, hi)(rng_)); }
    int roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    int size() { return kSizes[roll(11)]; }
    double spacing() {
        const double p[] = {100, 125, 150, 200, 250, 300};
        return p[roll(6)];
    }
    // Splits n spacings into two zones.
    std::pair<int, int> split(int n) {
        const int a = n > 0 ? roll(n + 1) : 0;
        return {a, n - a};
    }
    void group(std::ostringstream& f, int zones, int dia, std::vector<int> opt, std::vector<double> pitch,
               std::vector<int> count) {
        opt.resize(4);
        pitch.resize(5);
        count.resize(5);
        f << zones << '\n' << dia;
        for (int o : opt) f << ',' << o;
        f << '\n' << pitch[0];
        for (int i = 1; i < 5; ++i) f << ',' << pitch[i];
        f << '\n' << count[0];
        for (int i = 1; i < 5; ++i) f << ',' << count[i];
        f << '\n';
    }
    // Zones 2 then 1 toward one end, zones 3 then 4 toward the other.
    void along_wall(std::ostringstream& f, double left, double right) {
        const double p = spacing();
        const auto [z2, z1] = split(static_cast<int>(std::max(0.0, left) / p));
        const auto [z3, z4] = split(static_cast<int>(std::max(0.0, right) / p));
        const int d = size();
        group(f, 4, d, {d, 0, 0, 0}, {p, p, p, p}, {z1, z2, z3, z4});
    }
    // F1/F2: zones 2 then 1 over the half the plan shows, zones 3 and 4 the same for the other half.
    void along_footing(std::ostringstream& f, double half, double) {
        const double p = spacing();
        const auto [z2, z1] = split(static_cast<int>(std::max(0.0, half) / p));
        group(f, 4, size(), {}, {p, p, p, p}, {z1, z2, z2, z1});
    }
    void across_footing(std::ostringstream& f, double width) {
        const double p = spacing();
        const int n = static_cast<int>(std::max(0.0, width) / p);
        const int a = n / 4;
        const int b = n / 4;
        const int d = size();
        group(f, 3, d, {d, chance(0.2) ? 0 : d, 0, 0}, {p, p, p}, {a, b, n - a - b});
    }
    void up_wall(std::ostringstream& f, double height, bool level) {
        const double p = spacing();
        const int n = static_cast<int>(std::max(0.0, height) / p);
        const auto [z1, z2] = level ? split(n) : std::pair<int, int>{n, 0};
        const int d = size();
        group(f, level ? 2 : 1, d, {d, 0, 0, 0}, {p, p}, {z1, z2});
    }

    std::mt19937 rng_;
};

std::string example_layers() { return test::example_file("level", "GasouL.dat"); }

// The texts of the first column of a table whose rows stand 300 apart below (x0, y0).
std::vector<std::string> first_column(const std::vector<test::DxfEntity>& e, double x0, double y0) {
    std::vector<std::pair<double, std::string>> cells;
    for (const auto& x : e) {
        if (x.type != "TEXT" || x.get(8) != "D-MTR-MTXT") continue;
        if (std::abs(x.num(10) - (x0 + 50)) > 1 || x.num(20) > y0) continue;
        cells.emplace_back(-x.num(20), x.get(1));
    }
    std::sort(cells.begin(), cells.end());
    std::vector<std::string> out;
    for (const auto& c : cells) out.push_back(c.second);
    return out;
}

TEST(RandomWalls, EveryRunEndsAsSpecifiedWithFiniteNumbersAndEveryBarPrintedOnce) {
    WallMaker maker(20261207);
    int drawn = 0;
    for (int n = 0; n < 300; ++n) {
        const std::string wall = maker.next();
        SCOPED_TRACE("wall " + std::to_string(n) + ":\n" + wall);
        auto ctx = std::make_unique<RunContext>();
        int status = 0;
        try {
            draw_whole_sheet(*ctx, wall, example_layers());
        } catch (const RunFailure& f) {
            status = f.status;
        }
        const std::string& dxf = ctx->canvas.dxf_out.contents();
        const std::string& scr = ctx->canvas.scr_out.contents();
        ASSERT_TRUE(status == 0 || status == kExitMemberLength || status == kExitBadInput) << status;
        EXPECT_FALSE(test::has_non_finite_number(dxf));
        EXPECT_FALSE(test::has_non_finite_number(scr));
        if (status != 0) {
            // A refusal leaves the tables only; the member-length stop an open ENTITIES section.
            EXPECT_EQ(dxf.ends_with("ENTITIES\r\n0\r\n"), status == kExitBadInput);
            EXPECT_FALSE(dxf.ends_with("EOF\r\n"));
            continue;
        }
        ++drawn;
        ASSERT_TRUE(dxf.ends_with("0\r\nENDSEC\r\n0\r\nEOF\r\n"));
        std::vector<std::string> marks;
        for (const ScheduleRow* r : ctx->bar_list.printed_rows()) marks.push_back(r->mark);
        const auto e = test::file_entities(dxf);
        const SheetLayout& s = ctx->layout;
        const double y0 = s.scale * 22000 / 50;
        EXPECT_EQ(first_column(e, s.sheet_width + 23000 + s.scale * 23000 / 50, y0), marks) << "bending schedule";
        EXPECT_EQ(first_column(e, s.sheet_width + 33000 + s.scale * 23000 / 50, y0), marks) << "mass table";
        // The shape icons of the mass table's remarks column stand one per printed row.
        std::set<int> icon_rows;
        const double icon_x = s.sheet_width + 41200 + s.scale * 23000 / 50;
        for (const auto& x : e) {
            if (x.type != "LINE" || x.get(8) != "D-STR-STR1" || x.num(10) < icon_x) continue;
            icon_rows.insert(static_cast<int>((y0 - std::min(x.num(20), x.num(21))) / 300) + 1);
        }
        EXPECT_EQ(icon_rows.size(), marks.size()) << "shape icons";
        std::vector<std::string> sorted = marks;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "a mark printed twice";
    }
    EXPECT_GT(drawn, 200);  // the walls are plausible: most are drawn
}

}  // namespace
}  // namespace lwall
