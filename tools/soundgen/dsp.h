#pragma once
// Building blocks for the sound generator. The output has to be the same bytes
// on every machine, so the transcendental functions are our own polynomials
// rather than the C library's (whose last bits differ between versions), and
// the noise comes from our own generator rather than <random> distributions.

#include <cmath>
#include <cstdint>

namespace soundgen {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kLn2 = 0.69314718055994530942;

// sin(2*pi*turns). Working in turns keeps range reduction exact: only the
// fractional part matters, and floor/subtraction are exact in IEEE doubles.
inline double SinTurns(double turns) {
    double x = turns - std::floor(turns); // [0, 1)
    if (x >= 0.5) {
        x -= 1.0; // [-0.5, 0.5)
    }
    // Fold onto [-0.25, 0.25], where the series converges quickly.
    if (x > 0.25) {
        x = 0.5 - x;
    } else if (x < -0.25) {
        x = -0.5 - x;
    }
    const double y = 2.0 * kPi * x;
    const double y2 = y * y;
    double term = y;
    double sum = y;
    for (int k = 1; k <= 9; ++k) {
        term *= -y2 / static_cast<double>((2 * k) * (2 * k + 1));
        sum += term;
    }
    return sum;
}

inline double Exp(double v) {
    if (v < -700.0) {
        return 0.0;
    }
    // e^v = 2^k * e^r with |r| <= ln2/2; ldexp is exact.
    const double k = std::floor(v / kLn2 + 0.5);
    const double r = v - k * kLn2;
    double term = 1.0;
    double sum = 1.0;
    for (int n = 1; n <= 14; ++n) {
        term *= r / static_cast<double>(n);
        sum += term;
    }
    return std::ldexp(sum, static_cast<int>(k));
}

inline double Tanh(double v) {
    if (v > 20.0) {
        return 1.0;
    }
    if (v < -20.0) {
        return -1.0;
    }
    const double e = Exp(2.0 * v);
    return (e - 1.0) / (e + 1.0);
}

// 10^(db/20) through our own Exp.
inline double DbToGain(double db) { return Exp(db * (2.30258509299404568402 / 20.0)); }

inline double Clamp(double v, double lo, double hi) { return v < lo ? lo : (v > hi ? hi : v); }

// 0 -> 1 with zero slope at both ends.
inline double SmoothStep(double p) {
    const double c = Clamp(p, 0.0, 1.0);
    return c * c * (3.0 - 2.0 * c);
}

// SplitMix64: tiny, fast, well mixed, and fully defined by its seed.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        state_ += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [-1, 1), from the top 53 bits so every value is exact.
    double Uniform() {
        return static_cast<double>(Next() >> 11) * (2.0 / 9007199254740992.0) - 1.0;
    }

    // Roughly Gaussian with unit variance, bounded at +-sqrt(12): the sum of
    // four uniforms has variance 4/3.
    double Noise() {
        return (Uniform() + Uniform() + Uniform() + Uniform()) * 0.86602540378443864676;
    }

private:
    std::uint64_t state_;
};

// One-pole low-pass; the high-pass is its complement.
class OnePole {
public:
    OnePole(double cutoffHz, double sampleRate)
        : a_(1.0 - Exp(-2.0 * kPi * cutoffHz / sampleRate)) {}
    double LowPass(double x) {
        y_ += a_ * (x - y_);
        return y_;
    }
    double HighPass(double x) { return x - LowPass(x); }

private:
    double a_;
    double y_ = 0.0;
};

// Chamberlin state-variable band-pass. Its centre can move every sample,
// which is what lets the air noise follow the spool.
class BandPass {
public:
    BandPass(double q, double sampleRate) : damp_(1.0 / q), rate_(sampleRate) {}
    double Process(double x, double centreHz) {
        // Stable while f < ~1.4 at this damping; the centres used stay far below.
        const double f = 2.0 * SinTurns(0.5 * centreHz / rate_);
        low_ += f * band_;
        const double high = x - low_ - damp_ * band_;
        band_ += f * high;
        return band_;
    }

private:
    double damp_;
    double rate_;
    double low_ = 0.0;
    double band_ = 0.0;
};

// Slowly wandering value, about 0.35 RMS and clamped to [-1, 1]: noise
// through two low-passes, for flutter that never repeats exactly.
class Drift {
public:
    Drift(std::uint64_t seed, double cutoffHz, double sampleRate)
        : rng_(seed), a_(cutoffHz, sampleRate), b_(cutoffHz, sampleRate),
          gain_(0.3 * std::sqrt(sampleRate / cutoffHz)) {}
    double Next() { return Clamp(gain_ * b_.LowPass(a_.LowPass(rng_.Noise())), -1.0, 1.0); }

private:
    Rng rng_;
    OnePole a_;
    OnePole b_;
    double gain_;
};

} // namespace soundgen
