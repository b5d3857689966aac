#include "design/wall_design.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lwall {

namespace {

constexpr double kModularRatio = 15;  // n = Es / Ec of the allowable-stress method
constexpr double kDeg = std::numbers::pi / 180;

// The loads of one case as the footing's members and the stability share them.
struct Loads {
    const WallInput& wall;
    const DesignConditions& c;
    DesignGeometry g;
    double h = 0;  // the stem's height, m
    LoadCase lc = LoadCase::normal;

    double kh() const { return lc == LoadCase::seismic ? c.seismic_coefficient : 0.0; }
    // The guideline combines no surcharge with the earthquake.
    double q() const { return lc == LoadCase::seismic ? 0.0 : c.surcharge; }
    double tan_beta() const { return std::tan(c.backfill_slope * kDeg); }
    // The surcharge over the heel: from where it starts to the heel end (plan length, m).
    double surcharge_start_x() const { return g.toe + g.thickness + c.surcharge_offset; }
    double surcharge_on_heel() const { return std::max(0.0, g.base - std::max(g.toe + g.thickness, surcharge_start_x())); }

    Backfill backfill(double start) const {
        return {c.soil_unit_weight, c.friction_angle, c.cohesion, c.backfill_slope, q(), start};
    }
    // The earth pressure on a vertical face of height `face` whose top is `start` short of where the
    // surcharge begins, with wall friction `delta` for the trial wedge and the seismic closed form.
    EarthPressure pressure(double face, double start, double delta) const {
        const Backfill soil = backfill(start);
        if (c.method == EarthPressureMethod::rankine) {
            return lc == LoadCase::seismic ? mononobe_okabe(soil, face, delta, kh()) : rankine(soil, face);
        }
        return trial_wedge(soil, face, delta, kh());
    }
};

std::vector<ForceRow> stability_rows(const Loads& L, const EarthPressure& p) {
    const DesignGeometry& g = L.g;
    const double gc = L.c.concrete_unit_weight;
    const double gs = L.c.soil_unit_weight;
    const double kh = L.kh();
    std::vector<ForceRow> rows;
    const auto weight = [&](ForceKind kind, double w, double x, double y) {
        rows.push_back({kind, w, kh * w, x, y});
    };
    weight(ForceKind::stem, gc * g.thickness * L.h, g.toe + g.thickness / 2, g.footing + L.h / 2);
    weight(ForceKind::footing, gc * g.base * g.footing, g.base / 2, g.footing / 2);
    weight(ForceKind::soil_block, gs * g.heel * L.h, g.toe + g.thickness + g.heel / 2, g.footing + L.h / 2);
    if (L.c.backfill_slope > 0 && g.heel > 0) {
        const double rise = g.heel * L.tan_beta();
        weight(ForceKind::soil_wedge, gs * g.heel * rise / 2, g.toe + g.thickness + 2 * g.heel / 3,
               g.footing + L.h + rise / 3);
    }
    const double loaded = L.surcharge_on_heel();
    if (L.q() > 0 && loaded > 0) {
        rows.push_back({ForceKind::surcharge, L.q() * loaded, 0, g.base - loaded / 2, 0});
    }
    rows.push_back({ForceKind::pressure_h, 0, p.horizontal(), 0, p.height});
    rows.push_back({ForceKind::pressure_v, p.vertical(), 0, g.base, 0});
    return rows;
}

BasePressure base_pressure(double sum_v, double e, double b) {
    BasePressure q;
    if (sum_v <= 0 || std::abs(e) >= b / 2) {
        q.outside = true;
        return q;
    }
    if (std::abs(e) <= b / 6) {
        q.toe = sum_v / b * (1 + 6 * e / b);
        q.heel = sum_v / b * (1 - 6 * e / b);
        q.loaded_length = b;
        return q;
    }
    q.triangular = true;
    const double near = b / 2 - std::abs(e);  // the resultant from the edge that bears
    const double peak = 2 * sum_v / (3 * near);
    q.loaded_length = 3 * near;
    (e > 0 ? q.toe : q.heel) = peak;
    return q;
}

StabilityCase stability(const Loads& L) {
    StabilityCase s;
    s.load_case = L.lc;
    const DesignGeometry& g = L.g;
    s.face_height = g.footing + L.h + g.heel * L.tan_beta();
    const double delta = virtual_face_friction(L.c.friction_angle, L.c.backfill_slope, L.kh());
    s.pressure = L.pressure(s.face_height, std::max(0.0, L.c.surcharge_offset - g.heel), delta);
    s.rows = stability_rows(L, s.pressure);
    for (const ForceRow& r : s.rows) {
        s.sum_v += r.vertical;
        s.sum_h += r.horizontal;
        s.resisting += r.vertical * r.x;
        s.overturning += r.horizontal * r.y;
    }
    const bool seismic = L.lc == LoadCase::seismic;
    s.resultant_x = s.sum_v > 0 ? (s.resisting - s.overturning) / s.sum_v : 0;
    s.eccentricity = g.base / 2 - s.resultant_x;
    s.eccentricity_limit = g.base / (seismic ? 3 : 6);
    s.no_horizontal_force = s.sum_h <= 1e-9;
    s.sliding = s.no_horizontal_force ? 0 : L.c.base_friction * s.sum_v / s.sum_h;
    s.sliding_limit = seismic ? 1.2 : 1.5;
    s.moment_ratio = s.overturning > 1e-9 ? s.resisting / s.overturning : 0;
    s.base = base_pressure(s.sum_v, s.eccentricity, g.base);
    s.bearing_limit = seismic ? L.c.bearing_seismic : L.c.bearing_normal;
    return s;
}

// ∫ q dx and ∫ q (x − about) dx over [from, to] of the base pressure (piecewise linear: exact by
// Simpson's rule on each linear piece).
struct Reaction {
    double force = 0;
    double moment = 0;
};
Reaction base_reaction(const BasePressure& q, double b, double from, double to, double about) {
    Reaction r;
    if (to <= from || q.outside) return r;
    // The kink of a triangular pressure, where the loaded part ends.
    std::vector<double> cuts{from};
    const double kink = q.toe > 0 ? q.loaded_length : b - q.loaded_length;
    if (q.triangular && kink > from && kink < to) cuts.push_back(kink);
    cuts.push_back(to);
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const double s = cuts[i], t = cuts[i + 1], m = (s + t) / 2;
        const double fs = base_pressure_at(q, b, s), fm = base_pressure_at(q, b, m), ft = base_pressure_at(q, b, t);
        r.force += (t - s) / 6 * (fs + 4 * fm + ft);
        r.moment += (t - s) / 6 * (fs * (s - about) + 4 * fm * (m - about) + ft * (t - about));
    }
    return r;
}

// The zone of a mark with the widest spacing that holds bars (the fewest bars per metre).
struct Bars {
    int zone = 0;
    double pitch = 0;
};
Bars widest_zone(const BarGroup& g) {
    Bars b;
    for (int i = 1; i <= 5; ++i) {
        if (g.count[i] > 0 && g.pitch[i] > 0 && g.pitch[i] > b.pitch) b = {i, g.pitch[i]};
    }
    return b;
}

// The stresses of a rectangular section 1 m wide with its tension bars, singly reinforced.
void stresses(MemberCase& m, const DesignConditions& c, const BarGroup& bars, int diameter, double depth_mm) {
    const Bars zone = widest_zone(bars);
    m.zone = zone.zone;
    m.pitch = zone.pitch;
    m.diameter = diameter;
    m.depth = depth_mm;
    const AllowableStresses a = allowable_stresses(c, m.load_case);
    m.allow_c = a.concrete;
    m.allow_s = a.steel;
    m.allow_tau = a.shear;
    if (zone.zone == 0 || diameter <= 0 || depth_mm <= 0) return;
    const double b = 1000;  // mm
    m.steel_area = bar_area(diameter) * b / zone.pitch;
    const double np = kModularRatio * m.steel_area / (b * depth_mm);
    m.k = std::sqrt(2 * np + np * np) - np;
    m.j = 1 - m.k / 3;
    const double moment = std::abs(m.moment) * 1e6;  // N·mm
    m.sigma_c = 2 * moment / (m.k * m.j * b * depth_mm * depth_mm);
    m.sigma_s = moment / (m.steel_area * m.j * depth_mm);
    m.tau = std::abs(m.shear) * 1e3 / (b * depth_mm);
    m.computed = true;
}

MemberCase stem(const Loads& L) {
    MemberCase m;
    m.member = Member::stem;
    m.load_case = L.lc;
    const double phi = L.c.friction_angle;
    const double delta = L.lc == LoadCase::seismic ? phi / 2 : 2 * phi / 3;
    m.pressure = L.pressure(L.h, L.c.surcharge_offset, delta);
    const double inertia = L.kh() * L.c.concrete_unit_weight * L.g.thickness * L.h;
    m.moment = m.pressure.horizontal() * m.pressure.height + inertia * L.h / 2;
    m.shear = m.pressure.horizontal() + inertia;
    m.mark = "W1";
    const WallInput& w = L.wall;
    int dia = w.W1.dia;
    if (w.height_left != w.height_right && w.W1.opt[1] > 0) dia = std::min(dia, w.W1.opt[1]);
    stresses(m, L.c, w.W1, dia, w.wall_thickness - w.cover6);
    return m;
}

// The heel or the toe as a cantilever from the face of the wall, loaded by its own weight, what
// stands on it and the base pressure.
MemberCase footing_member(const Loads& L, const StabilityCase& s, Member which) {
    MemberCase m;
    m.member = which;
    m.load_case = L.lc;
    const DesignGeometry& g = L.g;
    const double gc = L.c.concrete_unit_weight;
    double down = 0, down_moment = 0;  // downward loads and their moment about the section
    Reaction up;
    if (which == Member::heel) {
        const double x0 = g.toe + g.thickness;
        const auto load = [&](double w, double arm) {
            down += w;
            down_moment += w * arm;
        };
        load(gc * g.footing * g.heel, g.heel / 2);
        for (const ForceRow& r : s.rows) {
            if (r.kind == ForceKind::soil_block || r.kind == ForceKind::soil_wedge || r.kind == ForceKind::surcharge ||
                r.kind == ForceKind::pressure_v) {
                load(r.vertical, r.x - x0);
            }
        }
        up = base_reaction(s.base, g.base, x0, g.base, x0);
    } else {
        down = gc * g.footing * g.toe;
        down_moment = down * g.toe / 2;
        up = base_reaction(s.base, g.base, 0, g.toe, g.toe);
        up.moment = -up.moment;  // arms measured toward the toe end
    }
    // Positive: the heel bends down (tension on top); the toe bends up (tension below).
    m.moment = which == Member::heel ? down_moment - up.moment : up.moment - down_moment;
    m.shear = which == Member::heel ? down - up.force : up.force - down;
    m.tension_top = which == Member::heel ? m.moment >= 0 : m.moment < 0;
    const WallInput& w = L.wall;
    const BarGroup& bars = m.tension_top ? w.F1 : w.F2;
    m.mark = m.tension_top ? "F1" : "F2";
    stresses(m, L.c, bars, bars.dia, w.footing_thickness - (m.tension_top ? w.cover2 : w.cover1));
    return m;
}

void add_checks(DesignReport& r, int index) {
    const DesignSection& sec = r.sections[static_cast<std::size_t>(index)];
    for (const StabilityCase& s : sec.cases) {
        const auto add = [&](CheckKind kind, double value, double limit, bool at_most, bool ok, bool unbounded) {
            r.checks.push_back({kind, s.load_case, index, Member::stem, value, limit, at_most, true, ok, unbounded});
        };
        add(CheckKind::eccentricity, std::abs(s.eccentricity), s.eccentricity_limit, true,
            !s.base.outside && std::abs(s.eccentricity) <= s.eccentricity_limit, s.base.outside);
        add(CheckKind::sliding, s.sliding, s.sliding_limit, false, s.no_horizontal_force || s.sliding >= s.sliding_limit,
            s.no_horizontal_force);
        DesignCheck ratio{CheckKind::moment_ratio, s.load_case, index, Member::stem, s.moment_ratio, 0, false, false,
                          true, s.overturning <= 1e-9};
        r.checks.push_back(ratio);
        add(CheckKind::bearing_toe, s.base.toe, s.bearing_limit, true, !s.base.outside && s.base.toe <= s.bearing_limit,
            s.base.outside);
        add(CheckKind::bearing_heel, s.base.heel, s.bearing_limit, true,
            !s.base.outside && s.base.heel <= s.bearing_limit, s.base.outside);
    }
    for (const MemberCase& m : sec.members) {
        const auto add = [&](CheckKind kind, double value, double limit) {
            r.checks.push_back({kind, m.load_case, index, m.member, value, limit, true, true,
                                m.computed && value <= limit, !m.computed});
        };
        add(CheckKind::sigma_c, m.sigma_c, m.allow_c);
        add(CheckKind::sigma_s, m.sigma_s, m.allow_s);
        add(CheckKind::tau, m.tau, m.allow_tau);
    }
}

}  // namespace

bool DesignReport::ok() const {
    return std::all_of(checks.begin(), checks.end(), [](const DesignCheck& c) { return c.ok; });
}

AllowableStresses allowable_stresses(const DesignConditions& c, LoadCase lc) {
    // σca = σck / 3 and τa = 0.15 + σck / 300 give the tabulated 7.0, 8.0, 9.0, 10.0 and 0.22, 0.23,
    // 0.24, 0.25 of σck = 21, 24, 27, 30. The seismic case takes 1.5 times the concrete's values
    // and the steel's seismic value (SD295: 270, SD345: 300).
    const bool seismic = lc == LoadCase::seismic;
    const double up = seismic ? 1.5 : 1.0;
    AllowableStresses a;
    a.concrete = c.concrete_strength / 3 * up;
    a.shear = (0.15 + c.concrete_strength / 300) * up;
    a.steel = !seismic ? 180 : (c.steel_grade == SteelGrade::sd295 ? 270 : 300);
    return a;
}

double bar_area(int diameter) {
    struct Size {
        int d;
        double area;
    };
    static constexpr Size kSizes[] = {{6, 31.67},  {10, 71.33},  {13, 126.7}, {16, 198.6}, {19, 286.5},
                                      {22, 387.1}, {25, 506.7},  {29, 642.4}, {32, 794.2}, {35, 956.6},
                                      {38, 1140},  {41, 1340},   {51, 2027}};
    for (const Size& s : kSizes) {
        if (s.d == diameter) return s.area;
    }
    return std::numbers::pi * diameter * diameter / 4;
}

double base_pressure_at(const BasePressure& q, double b, double x) {
    if (q.outside || x < 0 || x > b) return 0;
    if (!q.triangular) return q.toe + (q.heel - q.toe) * x / b;
    if (q.toe > 0) return x < q.loaded_length ? q.toe * (1 - x / q.loaded_length) : 0;
    const double from_heel = b - x;
    return from_heel < q.loaded_length ? q.heel * (1 - from_heel / q.loaded_length) : 0;
}

DesignReport design_wall(const WallInput& wall, const DesignConditions& conditions) {
    DesignReport r;
    r.conditions = conditions;
    DesignGeometry& g = r.geometry;
    g.toe = wall.footing_left_width / 1000;
    g.thickness = wall.wall_thickness / 1000;
    g.heel = wall.footing_right_width / 1000;
    g.footing = wall.footing_thickness / 1000;
    g.base = g.toe + g.thickness + g.heel;
    g.cover_back = wall.cover6;
    g.cover_top = wall.cover2;
    g.cover_bottom = wall.cover1;
    const double high = std::max(wall.height_left, wall.height_right);
    const double low = std::min(wall.height_left, wall.height_right);
    std::vector<std::pair<double, bool>> heights{{(high > 0 ? high : wall.wall_height) / 1000, false}};
    if (low != high) heights.push_back({low / 1000, true});
    for (const auto& [h, lowest] : heights) {
        DesignSection sec;
        sec.wall_height = h;
        sec.lowest = lowest;
        std::vector<LoadCase> cases{LoadCase::normal};
        if (conditions.seismic_coefficient > 0) cases.push_back(LoadCase::seismic);
        for (LoadCase lc : cases) {
            const Loads L{wall, conditions, g, h, lc};
            sec.cases.push_back(stability(L));
            sec.members.push_back(stem(L));
            if (g.heel > 0) sec.members.push_back(footing_member(L, sec.cases.back(), Member::heel));
            if (g.toe > 0) sec.members.push_back(footing_member(L, sec.cases.back(), Member::toe));
        }
        r.sections.push_back(std::move(sec));
        add_checks(r, static_cast<int>(r.sections.size()) - 1);
    }
    return r;
}

}  // namespace lwall
