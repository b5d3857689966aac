// The design checks against published values and a wall worked by hand, through both
// earth-pressure methods, to three significant figures; then what must hold over random walls.

#include <gtest/gtest.h>

#include <cmath>

#include "design/design_text.hpp"
#include "design/earth_pressure.hpp"
#include "design/wall_design.hpp"
#include "input/wall_file.hpp"
#include "sheet/random_walls.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

// Three significant figures: within half a unit of the third digit.
::testing::AssertionResult to_3_figures(double got, double want) {
    const double unit = std::pow(10.0, std::floor(std::log10(std::abs(want))) - 2);
    if (std::abs(got - want) <= unit / 2) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << got << " is not " << want << " to 3 figures";
}

// Active coefficients as the textbooks tabulate them (Das, Principles of Geotechnical
// Engineering: Rankine's Ka for an inclined backfill; Coulomb's Ka for a vertical wall and level
// backfill with δ = 2φ/3), each found again by the trial wedge over a face 1 m high with γ = 1
// (Ka = 2P); the wedge with level backfill and no wall friction is Rankine's 1/3; and the
// Mononobe–Okabe coefficient worked by hand for φ = 30°, δ = 0, kh = 0.2 (θ = 11.31°:
// cos²18.69° / (cos²11.31° (1 + √(sin 30° sin 18.69° / cos 11.31°))²) = 0.897 / 1.896 = 0.473).
TEST(EarthPressure, PublishedCoefficientsAndTheWedgeThatFindsThem) {
    struct Case {
        double phi, delta, beta, kh, ka;
        bool rankine;
    };
    const Case cases[] = {
        {30, 0, 0, 0, 0.3333, true},     {30, 10, 10, 0, 0.3495, true},  // Rankine, δ = β
        {30, 20, 0, 0, 0.2973, false},   {36, 24, 0, 0, 0.2349, false},  // Coulomb, δ = 2φ/3
        {30, 0, 0, 0.2, 0.4731, false},                                  // Mononobe–Okabe
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "phi " << c.phi << " delta " << c.delta << " beta " << c.beta);
        const double closed = c.kh > 0   ? mononobe_okabe_coefficient(c.phi, c.delta, c.beta, c.kh)
                              : c.rankine ? rankine_coefficient(c.phi, c.beta)
                                          : coulomb_coefficient(c.phi, c.delta, c.beta);
        EXPECT_TRUE(to_3_figures(closed, c.ka));
        const Backfill soil{1, c.phi, 0, c.beta, 0, 0};
        EXPECT_TRUE(to_3_figures(2 * trial_wedge(soil, 1, c.delta, c.kh).force, c.ka));
    }
    // The soil's share acts at a third of the height, a surcharge's at half: Rankine's trapezoid.
    const Backfill loaded{18, 30, 0, 0, 12, 0};
    const EarthPressure wedge = trial_wedge(loaded, 3, 0, 0);
    const EarthPressure rankine_p = rankine(loaded, 3);
    EXPECT_TRUE(to_3_figures(wedge.force, 0.5 * 18 * 9 / 3 + 12 * 3 / 3.0));  // 27 + 12 = 39 kN/m
    EXPECT_TRUE(to_3_figures(wedge.height, rankine_p.height));
    // The guideline's wall friction on the virtual back face: β itself without an earthquake.
    EXPECT_NEAR(virtual_face_friction(30, 10, 0), 10, 1e-9);
    EXPECT_NEAR(virtual_face_friction(35, 0, 0), 0, 1e-9);
}

// The level example's wall (toe 0.5, stem 0.3 × 2.0, heel 1.0, footing 0.4 m; W1 D16@250 with
// d = 300 − 100 = 200 mm; F1, F2 D16@250), γ = 19, φ = 30°, γc = 24.5, μ = 0.6, worked by hand.
//
// Level backfill, q = 10 kN/m² from the wall: on the virtual face (H' = 2.4 m, δ = β = 0),
// P = ½·19·2.4²/3 + 10·2.4/3 = 18.24 + 8.00 = 26.24 kN/m at y = (18.24·0.8 + 8·1.2)/26.24 = 0.922 m.
// ΣV = 14.70 (stem, x 0.65) + 17.64 (footing, 0.9) + 38.00 (soil, 1.3) + 10.00 (q, 1.3) = 80.34;
// Mr = 87.83, Mo = 24.19; e = 0.9 − (87.83 − 24.19)/80.34 = 0.108 m; Fs = 0.6·80.34/26.24 = 1.84;
// q1, q2 = 80.34/1.8 (1 ± 6·0.108/1.8) = 60.7, 28.6 kN/m².
//
// Backfill rising at β = 10°, no surcharge: H' = 2.4 + tan 10° = 2.576 m, Ka = 0.3495,
// P = ½·19·2.576²·0.3495 = 22.04 kN/m at δ = 10°: PH = 21.70 at 0.859 m, PV = 3.83 at 1.8 m; the
// soil wedge over the heel 19·tan 10°/2 = 1.675 at 1.467 m. ΣV = 75.84, Mr = 84.18, Mo = 18.64;
// e = 0.9 − 65.54/75.84 = 0.0359 m; Fs = 0.6·75.84/21.70 = 2.10; q1, q2 = 47.2, 37.1 kN/m².
// Coulomb's wedge with δ = β on a vertical face is Rankine's pressure, so both methods agree.
//
// The stem without surcharge (Rankine, δ = 0): P = ½·19·2²/3 = 12.67 kN/m at 0.667 m, M = 8.444
// kN·m/m; As = 4·198.6 = 794.4 mm², np = 0.05958, k = 0.2907, j = 0.9031: σc = 2M/(k j b d²) =
// 1.61, σs = M/(As j d) = 58.9, τm = 12667/(1000·200) = 0.0633 N/mm².
TEST(WallDesign, TheLevelExampleWorkedByHandThroughBothMethods) {
    const WallInput wall = read_wall_input(test::example_file("level", "PlenkL.dat"));
    for (const EarthPressureMethod method : {EarthPressureMethod::trial_wedge, EarthPressureMethod::rankine}) {
        SCOPED_TRACE(method == EarthPressureMethod::rankine ? "Rankine" : "trial wedge");
        DesignConditions c;
        c.method = method;
        const DesignReport level = design_wall(wall, c);
        ASSERT_EQ(level.sections.size(), 1u);
        const StabilityCase& s = level.sections[0].cases.at(0);
        EXPECT_TRUE(to_3_figures(s.pressure.force, 26.24));
        EXPECT_TRUE(to_3_figures(s.pressure.height, 0.922));
        EXPECT_TRUE(to_3_figures(s.sum_v, 80.34));
        EXPECT_TRUE(to_3_figures(s.eccentricity, 0.108));
        EXPECT_TRUE(to_3_figures(s.sliding, 1.84));
        EXPECT_TRUE(to_3_figures(s.base.toe, 60.7));
        EXPECT_TRUE(to_3_figures(s.base.heel, 28.6));
        EXPECT_TRUE(level.ok());

        c.backfill_slope = 10;
        c.surcharge = 0;
        const DesignReport sloped = design_wall(wall, c);
        const StabilityCase& t = sloped.sections[0].cases.at(0);
        EXPECT_TRUE(to_3_figures(t.pressure.horizontal(), 21.70));
        EXPECT_TRUE(to_3_figures(t.pressure.vertical(), 3.827));
        EXPECT_TRUE(to_3_figures(t.resisting, 84.18));
        EXPECT_TRUE(to_3_figures(t.overturning, 18.64));
        EXPECT_TRUE(to_3_figures(t.eccentricity, 0.0359));
        EXPECT_TRUE(to_3_figures(t.sliding, 2.10));
        EXPECT_TRUE(to_3_figures(t.base.toe, 47.2));
        EXPECT_TRUE(to_3_figures(t.base.heel, 37.1));
    }
    DesignConditions c;
    c.method = EarthPressureMethod::rankine;
    c.surcharge = 0;
    const DesignReport plain = design_wall(wall, c);
    const MemberCase& stem = plain.sections[0].members.at(0);
    ASSERT_EQ(stem.member, Member::stem);
    EXPECT_EQ(stem.mark, "W1");
    EXPECT_TRUE(to_3_figures(stem.moment, 8.444));
    EXPECT_TRUE(to_3_figures(stem.sigma_c, 1.61));
    EXPECT_TRUE(to_3_figures(stem.sigma_s, 58.9));
    EXPECT_TRUE(to_3_figures(stem.tau, 0.0633));
    EXPECT_EQ(stem.allow_c, 8.0);
    EXPECT_EQ(stem.allow_s, 180.0);
}

// The limits of each case, a seismic case only with a seismic coefficient, the lowest section of a
// sloped top, and a failing check named as a finding with its case, value and limit.
TEST(WallDesign, CasesSectionsLimitsAndFindings) {
    const WallInput sloped = read_wall_input(test::example_file("sloped", "PlenkL.dat"));
    DesignConditions c;
    c.seismic_coefficient = 0.2;
    c.bearing_normal = 50;
    c.bearing_seismic = 75;
    c.steel_grade = SteelGrade::sd295;
    const DesignReport r = design_wall(sloped, c);
    ASSERT_EQ(r.sections.size(), 2u);  // 2600 and 2000 high
    EXPECT_DOUBLE_EQ(r.sections[0].wall_height, 2.6);
    EXPECT_TRUE(r.sections[1].lowest);
    const StabilityCase& normal = r.sections[0].cases.at(0);
    const StabilityCase& quake = r.sections[0].cases.at(1);
    EXPECT_DOUBLE_EQ(normal.eccentricity_limit, r.geometry.base / 6);
    EXPECT_DOUBLE_EQ(quake.eccentricity_limit, r.geometry.base / 3);
    EXPECT_EQ(normal.sliding_limit, 1.5);
    EXPECT_EQ(quake.sliding_limit, 1.2);
    EXPECT_GT(quake.sum_h, normal.pressure.horizontal());  // the inertia of the wall and the soil
    const AllowableStresses a = allowable_stresses(c, LoadCase::seismic);
    EXPECT_DOUBLE_EQ(a.concrete, 12.0);
    EXPECT_DOUBLE_EQ(a.steel, 270.0);
    EXPECT_DOUBLE_EQ(a.shear, 0.345);
    // The toe pressure passes 50 kN/m²: a finding that names the check, the case, value and limit.
    const std::vector<Finding> found = design_findings(r);
    ASSERT_FALSE(found.empty());
    bool toe = false;
    for (const Finding& f : found) {
        if (f.message.en.find("base pressure at the toe q1, normal, highest section, H = 2.600 m") != std::string::npos &&
            f.message.en.find("exceeds the limit 50.0 kN/m2") != std::string::npos) {
            toe = true;
        }
    }
    EXPECT_TRUE(toe) << found.front().message.en;
    c.seismic_coefficient = 0;
    EXPECT_EQ(design_wall(sloped, c).sections[0].cases.size(), 1u);
}

// Over random walls: with a level backfill and no surcharge a wider heel never lowers the sliding
// factor; a taller wall never lowers the earth pressure; the base pressures integrate to ΣV and
// their moment about the toe to ΣV·(B/2 − e); the trial wedge with a level backfill and no wall
// friction is Rankine's; and every number of the record prints.
TEST(WallDesign, PropertiesOverRandomWalls) {
    // The base pressure, summed in narrow strips, gives ΣV and its moment about the toe ΣV·(B/2 − e).
    const auto integrates = [](const StabilityCase& s, double B) {
        double force = 0, moment = 0;
        const int steps = 2000;
        for (int i = 0; i < steps; ++i) {
            const double x = (i + 0.5) * B / steps;
            force += base_pressure_at(s.base, B, x) * B / steps;
            moment += base_pressure_at(s.base, B, x) * x * B / steps;
        }
        EXPECT_NEAR(force, s.sum_v, 1e-3 * s.sum_v);
        EXPECT_NEAR(moment, s.sum_v * (B / 2 - s.eccentricity), 1e-3 * s.sum_v * B);
    };
    int triangular = 0;
    test::WallMaker maker(2029);
    for (int n = 0; n < 60; ++n) {
        const std::string text = maker.next();
        SCOPED_TRACE(text);
        const WallInput wall = read_wall_input(text);
        DesignConditions c;
        c.surcharge = 0;
        c.friction_angle = 25 + n % 15;
        c.seismic_coefficient = n % 3 == 0 ? 0.0 : 0.1 + 0.05 * (n % 4);
        c.method = n % 2 ? EarthPressureMethod::rankine : EarthPressureMethod::trial_wedge;
        const DesignReport r = design_wall(wall, c);
        WallInput wider = wall;
        wider.footing_right_width += 150 + 10 * n;
        const DesignReport w = design_wall(wider, c);
        WallInput taller = wall;
        for (double* h : {&taller.height_left, &taller.height_right, &taller.wall_height}) *h += 120 + 5 * n;
        const DesignReport t = design_wall(taller, c);
        // A narrow base, whose resultant leaves the middle third: the triangular pressure.
        WallInput narrow = wall;
        narrow.footing_right_width = 150 + n;
        narrow.footing_left_width = 100;
        const DesignReport nr = design_wall(narrow, c);
        for (const StabilityCase& s : nr.sections[0].cases) {
            if (s.base.outside) continue;
            triangular += s.base.triangular;
            integrates(s, nr.geometry.base);
        }
        for (std::size_t k = 0; k < r.sections[0].cases.size(); ++k) {
            const StabilityCase& s = r.sections[0].cases[k];
            // The seismic case weighs the wider heel's soil into the inertia too: normal case only.
            if (s.load_case == LoadCase::normal) {
                EXPECT_GE(w.sections[0].cases[k].sliding, s.sliding - 1e-9);
            }
            EXPECT_GE(t.sections[0].cases[k].pressure.force, s.pressure.force - 1e-9);
            if (!s.base.outside) integrates(s, r.geometry.base);
        }
        const Backfill level{19, c.friction_angle, 0, 0, 0, 0};
        const double h = wall.wall_height / 1000;
        EXPECT_NEAR(trial_wedge(level, h, 0, 0).force, rankine(level, h).force, 1e-6 * h * h);
        EXPECT_NO_THROW(design_csv(r));
        EXPECT_NO_THROW(design_json(r, Lang::en));
    }
    EXPECT_GT(triangular, 5);  // both forms of the base pressure were integrated
}

}  // namespace
}  // namespace lwall
