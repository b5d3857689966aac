#pragma once
// The design conditions of the wall (SekkeiL.dat): the backfill, the surcharge, the seismic
// coefficient, the foundation, the materials and the earth-pressure method. Units kN, m, degrees
// and N/mm² as each field says. Every value has a default that the catalogue states; a value the
// file leaves blank, or a file that ends early, takes it, and the record says which values did.

#include <array>
#include <string>
#include <string_view>

namespace lwall {

inline constexpr std::string_view kConditionsFileName = "SekkeiL.dat";
inline constexpr int kConditionsValueCount = 14;

// How the earth pressure is found: by searching the slip angle of Coulomb's wedge, or by Rankine's
// sloping-backfill formula. The file holds the code.
enum class EarthPressureMethod { trial_wedge = 1, rankine = 2 };

// The reinforcing steel grades whose allowable stresses the method tabulates.
enum class SteelGrade { sd295, sd345 };
std::string_view steel_grade_name(SteelGrade g);  // "SD295", "SD345"

struct DesignConditions {
    double soil_unit_weight = 19.0;        // γ, kN/m³
    double friction_angle = 30.0;          // φ, degrees
    double cohesion = 0.0;                 // c, kN/m²
    double backfill_slope = 0.0;           // β, degrees above the horizontal, rising away from the wall
    double surcharge = 10.0;               // q, kN/m² of plan
    double surcharge_offset = 0.0;         // m behind the back face of the wall, where q starts
    double seismic_coefficient = 0.0;      // kh; 0: no seismic case
    double base_friction = 0.6;            // μ between the footing and the ground
    double bearing_normal = 300.0;         // allowable bearing pressure, kN/m², normal case
    double bearing_seismic = 450.0;        // the same, seismic case (default 1.5 × the normal one)
    double concrete_unit_weight = 24.5;    // γc, kN/m³
    double concrete_strength = 24.0;       // σck, N/mm²
    SteelGrade steel_grade = SteelGrade::sd345;
    EarthPressureMethod method = EarthPressureMethod::trial_wedge;

    // Which of the fourteen values (in file order) the file gave; the others are defaults.
    std::array<bool, kConditionsValueCount> given{};
};

// The two cases of the calculation, the members it checks, the forces of the stability and the
// results it lists against their limits (src/design computes them; the messages name them).
enum class LoadCase { normal, seismic };
enum class Member { stem, heel, toe };
enum class ForceKind {
    stem,        // the wall's own weight above the footing
    footing,     // the footing slab
    soil_block,  // the soil above the heel, up to the wall top
    soil_wedge,  // the soil above the wall top over the heel, under a sloping backfill
    surcharge,   // the surcharge over the heel
    pressure_h,  // the earth pressure on the virtual back face, horizontal component
    pressure_v,  // its vertical component, at the heel end
};
enum class CheckKind { eccentricity, sliding, moment_ratio, bearing_toe, bearing_heel, sigma_c, sigma_s, tau };

// The grade and the strength of the materials as the notes of the sheet state them: from the
// conditions file where it gives them, else the defaults SD345 and 24 N/mm², flagged as such.
struct MaterialNote {
    std::string steel_grade;     // "SD345"
    double concrete_strength;    // σck, N/mm²
    bool grade_is_default;
    bool strength_is_default;
};
// `conditions` null: no conditions file.
MaterialNote material_note(const DesignConditions* conditions);

}  // namespace lwall
