#pragma once
// Random but plausible walls, as the text of PlenkL.dat: level and sloped both ways, split and
// unsplit bars, every bar size, the size limits exactly, and every zone with a spacing of its own.
// The same seed gives the same walls. The property test, the editor's tests and the check of the
// Windows build all draw them.

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace lwall::test {

constexpr int kSizes[] = {13, 16, 19, 22, 25, 29, 32, 35, 38, 41, 51};

// Random but plausible walls. Every zone of a mark has a spacing of its own, and the two sides of
// the reference point (W1, W2, W5 along the wall, F1 and F2 over the two halves of the plan) and the
// toe and heel zones across the footing (F3, F4) differ, so that a bar laid out with another
// zone's spacing or count shows. The zones are given as the README asks of a wall file:
// - W1, W2 and W5 fill each side up to its end cover;
// - F3 fills the footing between cover3 at the heel and at the toe (the footing width less twice
//   cover3), and the toe width takes up what the spacings leave; cover4, where F4 starts, differs
//   from cover3, so that a bar or tick of one layer placed by the other's cover shows;
// - W3 and W4 are one grid of rows described twice: each face spaces its rows with the other
//   mark's counts on a level wall and with the lower end's counts on a sloped one, so they share
//   their pitches, and their counts differ only on a sloped wall, where one of them reaches the
//   higher end;
// - W1 and W2 have a second size, and W3 and W4 a zone-2 size, picked apart from their first, so
//   that a bar drawn or counted in the other size shows;
// - the face covers leave at least 60 between the bars of the two faces, where the cap bar's
//   leader and the section's tie indicator stand.
class WallMaker {
public:
    // A steep maker slopes every top, by 1000 to 1800 mm end to end, so that the vertical bars
    // fall into two and three length classes; the plain one makes the walls it always made.
    explicit WallMaker(unsigned seed, bool steep = false) : rng_(seed), steep_(steep) {}

    std::string next() {
        std::ostringstream f;
        const double T = pick(200, 600);
        const double face_cover = std::min(120.0, T / 2 - 30);
        const double Hf = pick(250, 600);
        const double Hw = chance(0.1) ? 3000 - Hf : pick(1200, 3000 - Hf);
        double hl = Hw;
        double hr = Hw;
        const int slope = steep_ ? 1 + roll(2) : roll(3);  // level, left higher, right higher
        const double rise = steep_ ? pick(1000, std::clamp(2 * (Hw - 700), 1000.0, 1800.0)) : pick(100, 700);
        if (slope == 1) { hl = Hw + rise / 2; hr = Hw - rise / 2; }
        if (slope == 2) { hl = Hw - rise / 2; hr = Hw + rise / 2; }
        const double Ll = chance(0.05) ? 0 : pick(1500, 25000);
        const double Lr = pick(1500, 25000);
        const double c1 = pick(50, 120), c2 = pick(50, 120), c5 = pick(40, face_cover), c6 = pick(40, face_cover);
        const double ct = pick(50, 120);
        const double el = pick(50, 150), er = pick(50, 150);
        const double run = Ll + Lr - el - er;
        const double options[] = {run - 1, run, run + 1, 6000, 9000, 12000, run / 2 + 3000};
        const double Lmax = std::max(1000.0, options[roll(7)]);

        // Across the footing. The F1 indicator stands 2.5 heel spacings of F3 in from the heel
        // bar, on the F1 bars: the heel is wide enough for it.
        Zones f3 = spacings(3);
        double Bl = 0, Br = 0, c3 = 0, c4 = 0;
        if (chance(0.1)) {
            // Exactly the width limit: cover3 at each end takes up what the spacings leave.
            Br = pick(std::max(300.0, 3 * f3.pitch[2] + 300), 1800);
            Bl = std::max(0.0, std::min(pick(0, 1200), 2500 - T - Br));
            Br = 2500 - T - Bl;
            do {
                f3 = spacings(3);
                fill(f3, 2500 - 80);
            } while (f3.total() < 2500 - 2 * face_cover);
            c3 = (2500 - f3.total()) / 2;
        } else {
            c3 = pick(40, face_cover);
            Br = pick(std::max(300.0, 3 * f3.pitch[2] + 300), std::max(300.0, 2500 - T - 400));
            const double without_toe = T + Br - 2 * c3;
            fill(f3, without_toe + std::min(1200.0, 2500 - T - Br));
            Bl = f3.total() - without_toe;
        }
        do c4 = pick(40, face_cover);
        while (c4 == c3);
        const double B = Bl + T + Br;
        Zones f4 = spacings(3);
        fill(f4, B - c3 - c4);

        f << Bl << ',' << T << ',' << Br << '\n' << Hw << ',' << Hf << ',' << hl << ',' << hr << '\n';
        f << Ll << ',' << Lr << '\n' << c1 << ',' << c2 << ',' << c3 << ',' << c4 << ',' << c5 << ',' << c6 << '\n';
        f << ct << '\n' << el << ',' << er << ',' << Lmax << '\n';
        along_wall(f, 4, Lr - er, Ll - el, {});  // F1: zones 2 and 1 toward the right end
        along_wall(f, 4, Ll - el, Lr - er, {});  // F2: zones 2 and 1 toward the left end
        for (const Zones& z : {f3, f4}) {
            const int d = size();
            group(f, 3, d, {chance(0.2) ? 0 : size(), size()}, z.pitch, z.count);
        }
        along_wall(f, 4, Ll - el, Lr - er, {size()});  // W1, with a second size of its own
        along_wall(f, 4, Ll - el, Lr - er, {size()});  // W2
        up_wall(f, Hf, hl, hr, c2, ct);          // W3, W4
        const bool shifted = chance(0.3);  // W5's first bars moved off the grid of its zones
        along_wall(f, 4, Ll - el, Lr - er, {shift(shifted), shift(shifted), shift(shifted)});  // W5
        f << size() << ',' << size() << '\n';
        return f.str();
    }

private:
    struct Zones {
        std::vector<double> pitch;
        std::vector<int> count;
        double total() const {
            double t = 0;
            for (std::size_t i = 0; i < pitch.size(); ++i) t += pitch[i] * count[i];
            return t;
        }
    };

    double pick(double lo, double hi) { return std::round(std::uniform_real_distribution<double>(lo, hi)(rng_)); }
    int roll(int n) { return std::uniform_int_distribution<int>(0, std::max(n, 1) - 1)(rng_); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    int size() { return kSizes[roll(11)]; }
    int shift(bool shifted) { return shifted ? static_cast<int>(pick(0, 60)) : 0; }
    double spacing(double most = 300) {
        const double p[] = {100, 125, 150, 200, 250, 300};
        double s = p[roll(6)];
        while (s > most && s > 100) s = p[roll(6)];
        return s;
    }
    // n zones, each with a spacing other than the one before.
    Zones spacings(int n) {
        Zones z;
        for (int i = 0; i < n; ++i) {
            double s = spacing();
            while (i > 0 && s == z.pitch.back()) s = spacing();
            z.pitch.push_back(s);
            z.count.push_back(0);
        }
        return z;
    }
    // Counts for zones laid out one after the other over at most `length`: the first zones a few
    // bars each, the last one filling what is left.
    void fill(Zones& z, double length) {
        const std::size_t last = z.pitch.size() - 1;
        double left = length;
        for (std::size_t i = 0; i < last; ++i) {
            z.count[i] = left < z.pitch[i] ? 0 : 1 + roll(static_cast<int>(left / 4 / z.pitch[i]));
            left -= z.count[i] * z.pitch[i];
        }
        z.count[last] = static_cast<int>(std::max(0.0, std::floor(left / z.pitch[last])));
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
    // A mark spaced along the wall from its reference point: zones 2 (inner) and 1 (outer) over
    // `first`, zones 3 (inner) and 4 (outer) over `second`.
    void along_wall(std::ostringstream& f, int zones, double first, double second, std::vector<int> opt) {
        Zones a = spacings(2);
        Zones b = spacings(2);
        fill(a, first);
        fill(b, second);
        const int d = size();
        if (opt.empty()) opt = {d};
        group(f, zones, d, opt, {a.pitch[1], a.pitch[0], b.pitch[0], b.pitch[1]},
              {a.count[1], a.count[0], b.count[0], b.count[1]});
    }
    // W3 and W4, up the wall from the top of the footing less cover2, zone 1 then zone 2. Zone 1's
    // spacing leaves room for the S1 ties under the lowest top less 400 and for five rows. Three
    // rows in the section's second zone would add a step to its S1 indicator that marks no tie
    // (the step from the end of the first indicator): that zone holds two rows or four.
    void up_wall(std::ostringstream& f, double Hf, double hl, double hr, double c2, double ct) {
        const double start = Hf - c2;
        const double low = Hf + std::min(hl, hr) - ct - start;
        const double high = Hf + std::max(hl, hr) - ct - start;
        const double p1 = spacing(std::min(low / 5, (std::min(hl, hr) - 400 + c2) / 4));
        double p2 = spacing();
        while (p2 == p1) p2 = spacing();
        const auto not_three = [](int n) { return n == 3 ? 2 : n; };
        const int d3 = size();
        const int d4 = size();
        if (hl == hr) {
            // Level: each face draws its rows with the other mark's counts, and the schedule counts
            // both faces' rows by one of them, so the two marks have the same rows.
            const int most = static_cast<int>(std::floor(low / p1));
            const int n1 = std::max(5, most / 2 + roll(most / 2));
            const int n2 = not_three(static_cast<int>(std::floor((low - n1 * p1) / p2)));
            group(f, 2, d3, {size()}, {p1, p2}, {n1, n2});
            group(f, 2, d4, {size()}, {p1, p2}, {n1, n2});
            return;
        }
        // Sloped: the lower end's mark has zone 1 only, up to the lower end; the other mark's
        // zone 1 reaches somewhere up the slope and its zone 2 on to the higher end.
        const int lower = static_cast<int>(std::floor(low / p1));
        const int higher = lower + roll(static_cast<int>((high - low) / p1) + 1);
        const int second = not_three(static_cast<int>(std::floor((high - higher * p1) / p2)));
        const bool w3_lower = hl > hr;
        group(f, 1, d3, {size()}, {p1, p2}, {w3_lower ? lower : higher, w3_lower ? 0 : second});
        group(f, 1, d4, {size()}, {p1, p2}, {w3_lower ? higher : lower, w3_lower ? second : 0});
    }

    std::mt19937 rng_;
    bool steep_ = false;
};

}  // namespace lwall::test
