#pragma once
// Random but plausible walls, as the text of PlenkL.dat: level and sloped both ways, split and
// unsplit bars, every bar size, the size limits exactly. The same seed gives the same walls.

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace lwall::test {

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

}  // namespace lwall::test
