#pragma once
// Active earth pressure on a vertical face of the backfill, per metre of wall: Coulomb's trial
// wedge (the slip angle searched, with cohesion on the slip plane, a surcharge where it lies and a
// horizontal seismic coefficient), Rankine's formula for a sloping backfill, and the
// Mononobe–Okabe coefficient, the closed form of the seismic wedge. Units kN, m, degrees.

namespace lwall {

struct Backfill {
    double gamma = 19;       // unit weight, kN/m³
    double phi = 30;         // angle of internal friction, degrees
    double cohesion = 0;     // kN/m²
    double beta = 0;         // slope of the surface from the top of the face, degrees
    double surcharge = 0;    // kN/m² of plan
    double surcharge_start = 0;  // m behind the face where the surcharge starts
};

// The resultant on the face: its size, its angle to the face's normal (acting downward on the wall),
// its height of action above the foot of the face, and, for the trial wedge, the slip angle found.
struct EarthPressure {
    double force = 0;        // P, kN/m
    double delta = 0;        // degrees
    double height = 0;       // m above the foot of the face
    double slip_angle = 0;   // ω from the horizontal, degrees (trial wedge only)
    double horizontal() const;
    double vertical() const;
};

// Coulomb's wedge behind a face of height `h`, with wall friction `delta` and seismic coefficient
// `kh`: P(ω) = ((W + Q)·(sin(ω − φ) + kh·cos(ω − φ)) − c·L·cos φ) / cos(ω − φ − δ), the largest
// over the slip angle ω. The soil's share acts at h/3, the surcharge's at h/2.
EarthPressure trial_wedge(const Backfill& soil, double h, double delta, double kh);

// Rankine's active coefficient for a backfill sloping at β (the pressure parallel to the surface):
// Ka = cos β (cos β − √(cos²β − cos²φ)) / (cos β + √(cos²β − cos²φ)).
double rankine_coefficient(double phi, double beta);
// Rankine on a face of height h: p(z) = Ka (γ z + q), parallel to the surface; with a level
// backfill the cohesion lowers it by 2c√Ka (no tension), with a sloping one it is left out.
EarthPressure rankine(const Backfill& soil, double h);

// Coulomb's closed-form coefficient for a vertical face (a textbook check of the wedge).
double coulomb_coefficient(double phi, double delta, double beta);
// Mononobe–Okabe, vertical face: K = cos²(φ − θ) / (cos θ cos(δ + θ) [1 + √(sin(φ + δ) sin(φ − β − θ)
// / (cos(δ + θ) cos β))]²), θ = atan kh; P = ½ γ h² K at h/3.
double mononobe_okabe_coefficient(double phi, double delta, double beta, double kh);
EarthPressure mononobe_okabe(const Backfill& soil, double h, double delta, double kh);

// The wall friction on a virtual back face through the heel (soil on soil), after the road
// earthworks guideline: tan δ = sin φ sin(θ + Δ − β) / (1 − sin φ cos(θ + Δ − β)),
// sin Δ = sin(β + θ) / sin φ, θ = atan kh; β itself when kh is 0.
double virtual_face_friction(double phi, double beta, double kh);

}  // namespace lwall
