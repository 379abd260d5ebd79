#include "dsp.h"

#include <algorithm>
#include <cmath>

namespace sfx {

int Samples(double seconds) { return static_cast<int>(std::lround(seconds * kRate)); }

double NoteHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

uint64_t Random::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

double Random::Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

double Random::Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

namespace {
struct Design {
  double w, cosw, alpha;
};
Design Prepare(double hz, double q) {
  // Keep the centre safely below Nyquist; sweeps may overshoot.
  hz = std::clamp(hz, 10.0, 0.45 * kRate);
  const double w = kTwoPi * hz / kRate;
  return {w, std::cos(w), std::sin(w) / (2.0 * q)};
}
}  // namespace

Biquad Biquad::LowPass(double hz, double q) {
  Biquad f;
  f.SetLowPass(hz, q);
  return f;
}
Biquad Biquad::HighPass(double hz, double q) {
  Biquad f;
  f.SetHighPass(hz, q);
  return f;
}
Biquad Biquad::BandPass(double hz, double q) {
  Biquad f;
  f.SetBandPass(hz, q);
  return f;
}

void Biquad::SetLowPass(double hz, double q) {
  const Design d = Prepare(hz, q);
  Set((1 - d.cosw) / 2, 1 - d.cosw, (1 - d.cosw) / 2, 1 + d.alpha, -2 * d.cosw, 1 - d.alpha);
}
void Biquad::SetHighPass(double hz, double q) {
  const Design d = Prepare(hz, q);
  Set((1 + d.cosw) / 2, -(1 + d.cosw), (1 + d.cosw) / 2, 1 + d.alpha, -2 * d.cosw, 1 - d.alpha);
}
void Biquad::SetBandPass(double hz, double q) {
  const Design d = Prepare(hz, q);
  Set(d.alpha, 0, -d.alpha, 1 + d.alpha, -2 * d.cosw, 1 - d.alpha);
}

void Biquad::Set(double b0, double b1, double b2, double a0, double a1, double a2) {
  b0_ = b0 / a0;
  b1_ = b1 / a0;
  b2_ = b2 / a0;
  a1_ = a1 / a0;
  a2_ = a2 / a0;
}

float Biquad::Process(float x) {
  const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return static_cast<float>(y);
}

void OnePole::SetCutoff(double hz) { a_ = 1.0 - std::exp(-kTwoPi * hz / kRate); }

namespace {
// Correction for the step of a sawtooth, t = phase, dt = increment.
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}
}  // namespace

float Saw::Next(double hz, bool* wrapped) {
  const double dt = std::clamp(hz / kRate, 1e-6, 0.45);
  double value = 2.0 * phase_ - 1.0 - PolyBlep(phase_, dt);
  phase_ += dt;
  const bool wrap = phase_ >= 1.0;
  if (wrap) phase_ -= 1.0;
  if (wrapped) *wrapped = wrap;
  return static_cast<float>(value);
}

DampedSine::DampedSine(double hz, double tau, double amp) : re_(amp) {
  const double decay = tau > 0 ? std::exp(-1.0 / (tau * kRate)) : 1.0;
  step_re_ = decay * std::cos(kTwoPi * hz / kRate);
  step_im_ = decay * std::sin(kTwoPi * hz / kRate);
}

Curve::Curve(std::initializer_list<std::pair<double, double>> points) : points_(points) {}

double Curve::At(double t) const {
  if (points_.empty()) return 0.0;
  if (t <= points_.front().first) return points_.front().second;
  for (size_t i = 1; i < points_.size(); ++i) {
    const auto& [t1, v1] = points_[i];
    if (t <= t1) {
      const auto& [t0, v0] = points_[i - 1];
      const double span = t1 - t0;
      return span <= 0 ? v1 : v0 + (v1 - v0) * (t - t0) / span;
    }
  }
  return points_.back().second;
}

double Peak(const Mono& x) {
  double peak = 0;
  for (float v : x) peak = std::max(peak, static_cast<double>(std::fabs(v)));
  return peak;
}

double Rms(const Mono& x) {
  if (x.empty()) return 0;
  double sum = 0;
  for (float v : x) sum += static_cast<double>(v) * v;
  return std::sqrt(sum / static_cast<double>(x.size()));
}

void FadeEnds(Mono& x, double in_seconds, double out_seconds) {
  const size_t n = x.size();
  const size_t in = std::min(n, static_cast<size_t>(Samples(in_seconds)));
  const size_t out = std::min(n, static_cast<size_t>(Samples(out_seconds)));
  for (size_t i = 0; i < in; ++i)
    x[i] *= static_cast<float>(0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / in));
  for (size_t i = 0; i < out; ++i)
    x[n - 1 - i] *= static_cast<float>(0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / out));
}

void NormalisePeak(Mono& x, double peak) {
  const double current = Peak(x);
  if (current <= 0) return;
  const float gain = static_cast<float>(peak / current);
  for (float& v : x) v *= gain;
}

void MixAt(Mono& dst, const Mono& src, int offset, float gain) {
  if (offset < 0) return;
  const size_t end = static_cast<size_t>(offset) + src.size();
  if (dst.size() < end) dst.resize(end, 0.0f);
  for (size_t i = 0; i < src.size(); ++i) dst[static_cast<size_t>(offset) + i] += src[i] * gain;
}

}  // namespace sfx
