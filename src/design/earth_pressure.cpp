#include "design/earth_pressure.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lwall {

namespace {

constexpr double kDeg = std::numbers::pi / 180;

double rad(double degrees) { return degrees * kDeg; }

// The wedge's pressure at slip angle ω (radians); `with_surcharge` false leaves the surcharge off.
double wedge_force(const Backfill& s, double h, double delta, double kh, double omega, bool with_surcharge) {
    const double phi = rad(s.phi);
    const double run = h / (std::tan(omega) - std::tan(rad(s.beta)));  // plan length of the slip plane
    const double weight = 0.5 * s.gamma * h * run;
    const double loaded = with_surcharge ? std::max(0.0, run - s.surcharge_start) : 0.0;
    const double w = weight + s.surcharge * loaded;
    const double slip_length = run / std::cos(omega);
    const double across = std::cos(omega - phi - rad(delta));
    if (across < 1e-9) return -1e300;  // the reaction and the pressure would be parallel: no wedge
    return (w * (std::sin(omega - phi) + kh * std::cos(omega - phi)) - s.cohesion * slip_length * std::cos(phi)) /
           across;
}

struct Peak {
    double force;
    double omega;
};

// The largest pressure over the slip angle: every tenth of a degree between the surface's slope
// and the vertical, then the best step refined by golden sections.
Peak search_wedge(const Backfill& s, double h, double delta, double kh, bool with_surcharge) {
    const double low = rad(s.beta) + 1e-6;
    const double high = rad(90.0) - 1e-6;
    const int steps = 900;
    Peak best{-1e300, low};
    for (int i = 0; i <= steps; ++i) {
        const double omega = low + (high - low) * i / steps;
        const double p = wedge_force(s, h, delta, kh, omega, with_surcharge);
        if (p > best.force) best = {p, omega};
    }
    const double step = (high - low) / steps;
    double a = std::max(low, best.omega - step);
    double b = std::min(high, best.omega + step);
    const double g = (std::sqrt(5.0) - 1) / 2;
    double x1 = b - g * (b - a);
    double x2 = a + g * (b - a);
    double f1 = wedge_force(s, h, delta, kh, x1, with_surcharge);
    double f2 = wedge_force(s, h, delta, kh, x2, with_surcharge);
    for (int i = 0; i < 60; ++i) {
        if (f1 < f2) {
            a = x1;
            x1 = x2;
            f1 = f2;
            x2 = a + g * (b - a);
            f2 = wedge_force(s, h, delta, kh, x2, with_surcharge);
        } else {
            b = x2;
            x2 = x1;
            f2 = f1;
            x1 = b - g * (b - a);
            f1 = wedge_force(s, h, delta, kh, x1, with_surcharge);
        }
    }
    const double omega = (a + b) / 2;
    const double p = wedge_force(s, h, delta, kh, omega, with_surcharge);
    if (p > best.force) best = {p, omega};
    return best;
}

}  // namespace

double EarthPressure::horizontal() const { return force * std::cos(rad(delta)); }
double EarthPressure::vertical() const { return force * std::sin(rad(delta)); }

EarthPressure trial_wedge(const Backfill& soil, double h, double delta, double kh) {
    EarthPressure e;
    e.delta = delta;
    if (h <= 0) return e;
    const Peak all = search_wedge(soil, h, delta, kh, true);
    const Peak bare = soil.surcharge > 0 ? search_wedge(soil, h, delta, kh, false) : all;
    const double soil_part = std::max(0.0, bare.force);
    const double total = std::max(soil_part, all.force);
    const double surcharge_part = total - soil_part;
    e.force = total;
    e.slip_angle = all.omega / kDeg;
    e.height = total > 0 ? (soil_part * h / 3 + surcharge_part * h / 2) / total : h / 3;
    return e;
}

double rankine_coefficient(double phi, double beta) {
    const double cb = std::cos(rad(beta));
    const double root = std::sqrt(std::max(0.0, cb * cb - std::pow(std::cos(rad(phi)), 2)));
    return cb * (cb - root) / (cb + root);
}

EarthPressure rankine(const Backfill& soil, double h) {
    EarthPressure e;
    e.delta = soil.beta;
    if (h <= 0) return e;
    const double ka = rankine_coefficient(soil.phi, soil.beta);
    const double c = soil.beta == 0 ? soil.cohesion : 0.0;
    // p(z) = a + b z, no tension: a = Ka q − 2c√Ka, b = Ka γ.
    const double a = ka * soil.surcharge - 2 * c * std::sqrt(ka);
    const double b = ka * soil.gamma;
    const double top = std::max(0.0, -a / b);  // depth of no pressure
    if (top >= h) return e;
    const double p_top = a + b * top;
    const double p_foot = a + b * h;
    const double length = h - top;
    e.force = (p_top + p_foot) / 2 * length;
    // The trapezoid's centroid above the foot.
    e.height = length / 3 * (2 * p_top + p_foot) / (p_top + p_foot);
    return e;
}

double coulomb_coefficient(double phi, double delta, double beta) {
    const double p = rad(phi), d = rad(delta), b = rad(beta);
    const double root = std::sqrt(std::sin(p + d) * std::sin(p - b) / (std::cos(d) * std::cos(b)));
    return std::pow(std::cos(p), 2) / (std::cos(d) * std::pow(1 + root, 2));
}

double mononobe_okabe_coefficient(double phi, double delta, double beta, double kh) {
    const double p = rad(phi), d = rad(delta), b = rad(beta), t = std::atan(kh);
    const double root = std::sqrt(std::max(0.0, std::sin(p + d) * std::sin(p - b - t) / (std::cos(d + t) * std::cos(b))));
    return std::pow(std::cos(p - t), 2) / (std::cos(t) * std::cos(d + t) * std::pow(1 + root, 2));
}

EarthPressure mononobe_okabe(const Backfill& soil, double h, double delta, double kh) {
    EarthPressure e;
    e.delta = delta;
    if (h <= 0) return e;
    e.force = 0.5 * soil.gamma * h * h * mononobe_okabe_coefficient(soil.phi, delta, soil.beta, kh);
    e.height = h / 3;
    return e;
}

double virtual_face_friction(double phi, double beta, double kh) {
    const double p = rad(phi), b = rad(beta), t = std::atan(kh);
    const double s = std::clamp(std::sin(b + t) / std::sin(p), -1.0, 1.0);
    const double big_delta = std::asin(s);
    const double a = t + big_delta - b;
    return std::atan(std::sin(p) * std::sin(a) / (1 - std::sin(p) * std::cos(a))) / kDeg;
}

}  // namespace lwall
