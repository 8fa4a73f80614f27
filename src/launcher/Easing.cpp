#include "launcher/Easing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vantor {
namespace {

double cubic(double p1, double p2, double t) {
    double u = 1 - t;
    return 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t;
}

double cubicSlope(double p1, double p2, double t) {
    double u = 1 - t;
    return 3 * u * u * p1 + 6 * u * t * (p2 - p1) + 3 * t * t * (1 - p2);
}

}  // namespace

Easing Easing::spring(double response, double dampingFraction) {
    double omega = 2 * std::numbers::pi / std::max(response, 1e-3);
    double zeta = std::clamp(dampingFraction, 0.05, 1.0);
    // The envelope e^(-zeta omega t) falls below 0.1 % here (a little more
    // for critical damping, whose (1 + omega t) factor decays later).
    double settle = std::log(1000.0) / (zeta * omega);
    if (zeta >= 1.0) {
        settle *= 1.6;
    }
    return {Kind::spring, settle, response, zeta, 0, 0};
}

double Easing::progress(double seconds) const {
    if (seconds <= 0) {
        return 0;
    }
    if (seconds >= duration_) {
        return 1;
    }
    if (kind_ == Kind::spring) {
        return springProgress(seconds);
    }
    return bezierProgress(seconds / duration_);
}

double Easing::bezierProgress(double x) const {
    // Solve x(t) = x for t by Newton's method, falling back to bisection.
    double t = x;
    for (int i = 0; i < 8; ++i) {
        double error = cubic(a_, c_, t) - x;
        double slope = cubicSlope(a_, c_, t);
        if (std::abs(error) < 1e-7) {
            return cubic(b_, d_, t);
        }
        if (std::abs(slope) < 1e-6) {
            break;
        }
        t = std::clamp(t - error / slope, 0.0, 1.0);
    }
    double low = 0;
    double high = 1;
    t = x;
    for (int i = 0; i < 40; ++i) {
        double value = cubic(a_, c_, t);
        if (std::abs(value - x) < 1e-7) {
            break;
        }
        (value < x ? low : high) = t;
        t = (low + high) / 2;
    }
    return cubic(b_, d_, t);
}

double Easing::springProgress(double seconds) const {
    double omega = 2 * std::numbers::pi / std::max(a_, 1e-3);
    double zeta = b_;
    double decay = std::exp(-zeta * omega * seconds);
    if (zeta >= 1.0) {
        return 1 - decay * (1 + omega * seconds);
    }
    double damped = omega * std::sqrt(1 - zeta * zeta);
    return 1 - decay * (std::cos(damped * seconds) +
                        zeta * omega / damped * std::sin(damped * seconds));
}

}  // namespace vantor
