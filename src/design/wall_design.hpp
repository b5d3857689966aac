#pragma once
// The design checks of the wall, per metre of wall, from its dimensions, its bars and the design
// conditions: the stability of the wall as a whole (the resultant's eccentricity, sliding, the ratio
// of the moments about the toe, the base pressures) and the stresses of its members by the
// allowable-stress method (n = 15), in the normal case and, with a seismic coefficient, the seismic
// case; at the wall's highest cross-section and, on a sloped top, its lowest. Units kN, m; member
// stresses N/mm². The README's "Design checks" gives every formula and its source.
//
// design_wall is the one function that computes everything; the record it returns holds every
// number the console, the calculation report, its spreadsheet and the editor show
// (design/design_text.hpp turns it into lines, findings, CSV and JSON).

#include <string>
#include <vector>

#include "core/design_conditions.hpp"
#include "core/wall_input.hpp"
#include "design/earth_pressure.hpp"

namespace lwall {

// The forces on the wall in the stability calculation, each with its lever arm about the toe.
struct ForceRow {
    ForceKind kind;
    double vertical = 0;    // V, kN/m, downward
    double horizontal = 0;  // H, kN/m, toward the toe (the seismic inertia of a weight, or Ph)
    double x = 0;           // lever arm of V about the toe, m
    double y = 0;           // lever arm of H above the underside of the footing, m
};

struct BasePressure {
    double toe = 0;     // kN/m²
    double heel = 0;
    bool triangular = false;   // the resultant beyond the middle third: part of the base lifts
    bool outside = false;      // the resultant outside the base (or no load on it): no pressure found
    double loaded_length = 0;  // m of base in contact
};

struct StabilityCase {
    LoadCase load_case = LoadCase::normal;
    EarthPressure pressure;  // on the virtual back face through the heel end
    double face_height = 0;  // height of the virtual back face, m
    std::vector<ForceRow> rows;
    double sum_v = 0, sum_h = 0;    // ΣV, ΣH, kN/m
    double resisting = 0;           // Mr = Σ V·x, kN·m/m
    double overturning = 0;         // Mo = Σ H·y
    double resultant_x = 0;         // d = (Mr − Mo) / ΣV from the toe, m
    double eccentricity = 0;        // e = B/2 − d, m (positive toward the toe)
    double eccentricity_limit = 0;  // B/6 normal, B/3 seismic
    double sliding = 0;             // Fs = μ ΣV / ΣH
    double sliding_limit = 0;       // 1.5 normal, 1.2 seismic
    bool no_horizontal_force = false;  // ΣH = 0: nothing to slide or overturn the wall
    double moment_ratio = 0;        // Mr / Mo (reported; the eccentricity is the check)
    BasePressure base;
    double bearing_limit = 0;       // allowable bearing of the case, kN/m²
};

struct MemberCase {
    Member member = Member::stem;
    LoadCase load_case = LoadCase::normal;
    double moment = 0;      // M at the critical section, kN·m/m (its tension side below)
    double shear = 0;       // S, kN/m
    EarthPressure pressure; // the stem: the pressure on its back face
    bool tension_top = false;  // the footing: tension on its upper face (the heel's usual case)
    std::string mark;       // the tension bars: "W1", "F1", "F2"
    int zone = 0;           // the zone that governs (the widest spacing)
    int diameter = 0;       // mm
    double pitch = 0;       // mm
    double depth = 0;       // effective depth d, mm
    double steel_area = 0;  // As per metre, mm²
    double k = 0, j = 0;    // the neutral axis ratio and the lever arm ratio
    double sigma_c = 0, sigma_s = 0, tau = 0;           // N/mm²
    double allow_c = 0, allow_s = 0, allow_tau = 0;     // N/mm²
    bool computed = false;  // false: no bars or no depth to compute with (then it fails)
};

struct DesignSection {
    double wall_height = 0;  // m, the stem above the footing
    bool lowest = false;     // the lowest section of a sloped top (else the highest)
    std::vector<StabilityCase> cases;
    std::vector<MemberCase> members;
};

// One result against its limit, as the console, the report and the editor list them.
struct DesignCheck {
    CheckKind kind;
    LoadCase load_case;
    int section = 0;       // index into DesignReport::sections
    Member member = Member::stem;  // for the stresses
    double value = 0;
    double limit = 0;
    bool at_most = true;   // the value must be at most the limit (else at least)
    bool judged = true;    // false: reported beside its usual limit, not a check (the moment ratio)
    bool ok = true;
    bool unbounded = false;  // no value can be given (nothing pushes the wall; the resultant off the base; no bars)
};

// The section of the wall the calculation takes, in metres.
struct DesignGeometry {
    double toe = 0, thickness = 0, heel = 0, footing = 0, base = 0;  // Bl, T, Br, Hf, B
    // The covers the effective depths are taken from, mm: to the back-face vertical bars, the
    // footing's top and its underside bars.
    double cover_back = 0, cover_top = 0, cover_bottom = 0;
};

struct DesignReport {
    DesignConditions conditions;
    DesignGeometry geometry;
    std::vector<DesignSection> sections;
    std::vector<DesignCheck> checks;
    bool ok() const;
};

DesignReport design_wall(const WallInput& wall, const DesignConditions& conditions);

// The allowable stresses of the method for the conditions' σck and grade, N/mm².
struct AllowableStresses {
    double concrete = 0;  // σca, bending compression
    double steel = 0;     // σsa
    double shear = 0;     // τa, mean shear carried by the concrete
};
AllowableStresses allowable_stresses(const DesignConditions& c, LoadCase lc);

// The nominal cross-section of a deformed bar, mm² (JIS sizes; π d²/4 for another diameter).
double bar_area(int diameter);

// The base pressure of a stability case at x metres from the toe, kN/m².
double base_pressure_at(const BasePressure& q, double base_width, double x);

}  // namespace lwall
