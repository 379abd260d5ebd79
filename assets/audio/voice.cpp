#include "voice.h"

#include <algorithm>
#include <cmath>

namespace sfx {

Formants Blend(const Formants& a, const Formants& b, double t) {
  Formants out{};
  for (int i = 0; i < 3; ++i) {
    out.hz[i] = a.hz[i] + (b.hz[i] - a.hz[i]) * t;
    out.bw[i] = a.bw[i] + (b.bw[i] - a.bw[i]) * t;
  }
  return out;
}

Formants Scaled(const Formants& f, double scale) {
  Formants out = f;
  for (int i = 0; i < 3; ++i) {
    out.hz[i] *= scale;
    out.bw[i] *= scale;
  }
  return out;
}

void FormantFilter::Resonator::Tune(double hz, double bw) {
  hz = std::min(hz, 0.45 * kRate);
  c = -std::exp(-kTwoPi * bw / kRate);
  b = 2.0 * std::exp(-kPi * bw / kRate) * std::cos(kTwoPi * hz / kRate);
  a = 1.0 - b - c;  // unity gain at 0 Hz
}

FormantFilter::FormantFilter(double scale) { stage_[3].Tune(3300 * scale, 250 * scale); }

void FormantFilter::Set(const Formants& f) {
  for (int i = 0; i < 3; ++i) stage_[i].Tune(f.hz[i], f.bw[i]);
}

float FormantFilter::Process(float x) {
  double v = x;
  for (Resonator& r : stage_) {
    const double y = r.a * v + r.b * r.y1 + r.c * r.y2;
    r.y2 = r.y1;
    r.y1 = y;
    v = y;
  }
  return static_cast<float>(v);
}

Glottis::Glottis(uint64_t seed, double jitter, double shimmer, double tilt_hz)
    : random_(seed), tilt_(tilt_hz), jitter_(jitter), shimmer_(shimmer) {}

float Glottis::Next(double hz) {
  bool wrapped = false;
  const float v = saw_.Next(hz * pitch_factor_, &wrapped);
  if (wrapped) {
    pitch_factor_ = 1.0 + jitter_ * random_.Noise();
    amplitude_ = 1.0 + shimmer_ * random_.Noise();
  }
  // The falling ramp of the sawtooth is the pulse; tilt darkens it.
  return tilt_.Process(static_cast<float>(-v * amplitude_));
}

}  // namespace sfx
