// Small signal-processing toolkit shared by every synthesised sound: a
// seeded noise source, second-order filters and buffer helpers. Everything
// is deterministic so the same source always gives the same files.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace sfx {

inline constexpr int kRate = 22050;
inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 2.0 * kPi;

using Mono = std::vector<float>;

struct Stereo {
  Mono left, right;
};

// Number of samples in a span of seconds at kRate.
int Samples(double seconds);
// Equal-tempered frequency of a MIDI note number (69 = 440 Hz).
double NoteHz(double midi);

// SplitMix64: tiny, fast and identical on every platform.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next();
  double Uniform();                      // [0, 1)
  double Range(double lo, double hi);    // [lo, hi)
  double Noise() { return Range(-1.0, 1.0); }

 private:
  uint64_t state_;
};

// Direct-form-I biquad with the usual audio-cookbook designs. Set* keeps
// the state, so a filter can sweep without clicks.
class Biquad {
 public:
  static Biquad LowPass(double hz, double q);
  static Biquad HighPass(double hz, double q);
  // Band-pass with 0 dB gain at the centre: a formant or resonance.
  static Biquad BandPass(double hz, double q);

  void SetLowPass(double hz, double q);
  void SetHighPass(double hz, double q);
  void SetBandPass(double hz, double q);
  float Process(float x);

 private:
  void Set(double b0, double b1, double b2, double a0, double a1, double a2);
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// One-pole low-pass used for smoothing and gentle tilts.
class OnePole {
 public:
  explicit OnePole(double hz) { SetCutoff(hz); }
  void SetCutoff(double hz);
  float Process(float x) {
    y_ += a_ * (x - y_);
    return static_cast<float>(y_);
  }

 private:
  double a_ = 1, y_ = 0;
};

// Band-limited sawtooth (polyBLEP) with a running phase, so the frequency
// may change every sample.
class Saw {
 public:
  // Returns the next sample in [-1, 1] at hz; *wrapped tells when a new
  // period began (for per-period jitter).
  float Next(double hz, bool* wrapped = nullptr);

 private:
  double phase_ = 0;
};

// amp * exp(-t / tau) * sin(2 pi hz t) by recurrence (a rotating,
// shrinking phasor): the workhorse of struck and plucked tones. tau <= 0
// means no decay.
class DampedSine {
 public:
  DampedSine(double hz, double tau, double amp);
  double Next() {
    const double value = im_;
    const double re = re_ * step_re_ - im_ * step_im_;
    im_ = re_ * step_im_ + im_ * step_re_;
    re_ = re;
    return value;
  }

 private:
  double re_, im_ = 0, step_re_, step_im_;
};

// Linear ramp between breakpoints (time in seconds, value); constant
// outside. Used for pitch contours, formant moves and envelopes.
class Curve {
 public:
  Curve(std::initializer_list<std::pair<double, double>> points);
  double At(double t) const;

 private:
  std::vector<std::pair<double, double>> points_;
};

double Peak(const Mono& x);
double Rms(const Mono& x);
// Raised-cosine fades, so the first and last samples are exactly zero.
void FadeEnds(Mono& x, double in_seconds, double out_seconds);
// Scales so that the largest magnitude equals peak (linear, 0..1).
void NormalisePeak(Mono& x, double peak);
// Adds src * gain into dst starting at sample offset; grows dst if needed.
void MixAt(Mono& dst, const Mono& src, int offset, float gain);

}  // namespace sfx
