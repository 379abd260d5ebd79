// A source-filter voice: a buzzing glottal source shaped by three vocal
// formants. The bull's moos and the crowd's cheers are both made with it.
#pragma once

#include <cstdint>

#include "dsp.h"

namespace sfx {

// Centre and bandwidth of the three lowest resonances of a vowel.
struct Formants {
  double hz[3];
  double bw[3];
};

namespace vowel {
// "mm" has no vowel of its own: a low murmur with wide upper resonances.
inline constexpr Formants kM{{250, 1100, 2300}, {70, 300, 400}};
inline constexpr Formants kOo{{300, 870, 2240}, {70, 90, 150}};
inline constexpr Formants kO{{450, 830, 2380}, {80, 90, 150}};
inline constexpr Formants kAw{{570, 840, 2410}, {90, 100, 160}};
inline constexpr Formants kAh{{730, 1090, 2440}, {90, 110, 160}};
inline constexpr Formants kEh{{530, 1840, 2480}, {80, 120, 170}};
inline constexpr Formants kEe{{270, 2290, 3010}, {60, 120, 200}};
}  // namespace vowel

// Straight-line blend of two vowels (t = 0 gives a, 1 gives b).
Formants Blend(const Formants& a, const Formants& b, double t);
// The same vowel from a longer (scale < 1) or shorter vocal tract.
Formants Scaled(const Formants& f, double scale);

// The vocal tract as a cascade of resonators (the three formants and a
// fixed fourth), so the level between formants falls off as in speech.
// Set may be called while running.
class FormantFilter {
 public:
  explicit FormantFilter(double scale = 1.0);
  void Set(const Formants& f);
  float Process(float x);

 private:
  struct Resonator {
    double a = 1, b = 0, c = 0, y1 = 0, y2 = 0;
    void Tune(double hz, double bw);
  };
  Resonator stage_[4];
};

// Sawtooth pulse train with a spectral tilt and per-period pitch jitter and
// amplitude shimmer, the irregularities that make a voice sound alive.
class Glottis {
 public:
  Glottis(uint64_t seed, double jitter, double shimmer, double tilt_hz);
  float Next(double hz);

 private:
  Saw saw_;
  Random random_;
  OnePole tilt_;
  double jitter_, shimmer_;
  double pitch_factor_ = 1.0, amplitude_ = 1.0;
};

}  // namespace sfx
