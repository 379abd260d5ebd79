#include "platform/mix_bus.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace platform {

namespace {

// The zeroth-order modified Bessel function of the first kind, by its series.
double BesselI0(double x) {
  double sum = 1.0, term = 1.0;
  for (int k = 1; k < 50; ++k) {
    term *= (x / (2.0 * k)) * (x / (2.0 * k));
    sum += term;
    if (term < sum * 1e-12) break;
  }
  return sum;
}

// Both channels' weighted sums over one window; kTaps is a multiple of 4.
template <int Taps>
void Dot(const float* coef, const float* left, const float* right, float& outLeft, float& outRight) {
#if defined(__SSE__)
  __m128 l = _mm_setzero_ps(), r = _mm_setzero_ps();
  for (int i = 0; i < Taps; i += 4) {
    const __m128 c = _mm_loadu_ps(coef + i);
    l = _mm_add_ps(l, _mm_mul_ps(c, _mm_loadu_ps(left + i)));
    r = _mm_add_ps(r, _mm_mul_ps(c, _mm_loadu_ps(right + i)));
  }
  alignas(16) float ls[4], rs[4];
  _mm_store_ps(ls, l);
  _mm_store_ps(rs, r);
  outLeft = (ls[0] + ls[1]) + (ls[2] + ls[3]);
  outRight = (rs[0] + rs[1]) + (rs[2] + rs[3]);
#else
  float l[4] = {}, r[4] = {};
  for (int i = 0; i < Taps; i += 4)
    for (int k = 0; k < 4; ++k) {
      l[k] += coef[i + k] * left[i + k];
      r[k] += coef[i + k] * right[i + k];
    }
  outLeft = (l[0] + l[1]) + (l[2] + l[3]);
  outRight = (r[0] + r[1]) + (r[2] + r[3]);
#endif
}

// The largest magnitude among n samples.
float Loudest(const float* x, int n) {
  int i = 0;
  float loudest = 0.0f;
#if defined(__SSE__)
  const __m128 sign = _mm_set1_ps(-0.0f);
  __m128 acc = _mm_setzero_ps();
  for (; i + 4 <= n; i += 4) acc = _mm_max_ps(acc, _mm_andnot_ps(sign, _mm_loadu_ps(x + i)));
  alignas(16) float lanes[4];
  _mm_store_ps(lanes, acc);
  loudest = std::max(std::max(lanes[0], lanes[1]), std::max(lanes[2], lanes[3]));
#endif
  for (; i < n; ++i) loudest = std::max(loudest, std::abs(x[i]));
  return loudest;
}

}  // namespace

void Resampler::configure(int inRate, int outRate) {
  phases_ = step_ = phase_ = 0;
  table_.clear();
  left_.clear();
  right_.clear();
  if (inRate <= 0 || outRate <= 0 || inRate == outRate) return;
  const int common = std::gcd(inRate, outRate);
  uint32_t phases = uint32_t(outRate / common), step = uint32_t(inRate / common);
  // Unusual pairs of rates get the nearest ratio with a table of bearable size.
  constexpr uint32_t kMaxPhases = 1024;
  if (phases > kMaxPhases) {
    step = std::max<uint32_t>(1, uint32_t(std::lround(double(inRate) * kMaxPhases / outRate)));
    phases = kMaxPhases;
  }
  phases_ = phases;
  step_ = step;

  // The pass band ends at 77 % and the stop band (85 dB down) starts at
  // 100 % of half the lower rate, in cycles per input frame.
  const double cutoff = 0.885 * 0.5 * double(std::min(inRate, outRate)) / double(inRate);
  constexpr double kBeta = 8.4;
  constexpr double kHalf = kTaps / 2;
  table_.resize(size_t(phases_) * kTaps);
  for (uint32_t p = 0; p < phases_; ++p) {
    float* row = &table_[size_t(p) * kTaps];
    double sum = 0.0;
    for (int m = 0; m < kTaps; ++m) {
      // Distance in input frames from tap m to the output frame's instant.
      const double u = kHalf - 1.0 + double(p) / phases_ - m;
      const double x = u / kHalf;
      const double window = std::abs(x) < 1.0 ? BesselI0(kBeta * std::sqrt(1.0 - x * x)) / BesselI0(kBeta) : 0.0;
      const double arg = 2.0 * cutoff * u;
      const double sinc = arg == 0.0 ? 1.0 : std::sin(M_PI * arg) / (M_PI * arg);
      const double h = 2.0 * cutoff * sinc * window;
      row[m] = float(h);
      sum += h;
    }
    // Every phase passes a constant unchanged.
    for (int m = 0; m < kTaps; ++m) row[m] = float(row[m] / sum);
  }
  left_.assign(kTaps - 1, 0.0f);
  right_.assign(kTaps - 1, 0.0f);
}

int Resampler::inputFor(int frames) const {
  if (passThrough()) return frames;
  if (frames <= 0) return 0;
  const uint64_t lastStart = (uint64_t(phase_) + uint64_t(frames - 1) * step_) / phases_;
  const int64_t needed = int64_t(lastStart) + kTaps - int64_t(left_.size());
  return int(std::max<int64_t>(0, needed));
}

void Resampler::run(const float* in, int inFrames, float* out, int frames) {
  for (int i = 0; i < inFrames; ++i) {
    left_.push_back(in[2 * i]);
    right_.push_back(in[2 * i + 1]);
  }
  size_t start = 0;
  for (int j = 0; j < frames; ++j) {
    Dot<kTaps>(&table_[size_t(phase_) * kTaps], &left_[start], &right_[start], out[2 * j],
               out[2 * j + 1]);
    phase_ += step_;
    start += phase_ / phases_;
    phase_ %= phases_;
  }
  start = std::min(start, left_.size());
  left_.erase(left_.begin(), left_.begin() + std::ptrdiff_t(start));
  right_.erase(right_.begin(), right_.begin() + std::ptrdiff_t(start));
}

void PeakLimiter::configure(int rate, float ceiling) {
  ceiling_ = ceiling;
  release_ = float(std::exp(-1.0 / (0.1 * std::max(rate, 1))));
  envelope_ = 0.0f;
}

// The envelope is never below the frame's own peak, so no frame leaves
// above the ceiling. Below the ceiling its value makes no difference, so
// it is dropped there, and a block that stays under costs one scan.
void PeakLimiter::run(float* stereo, int frames) {
  if (envelope_ == 0.0f && Loudest(stereo, 2 * frames) <= ceiling_) return;
  for (int i = 0; i < frames; ++i) {
    float& l = stereo[2 * i];
    float& r = stereo[2 * i + 1];
    const float peak = std::max(std::abs(l), std::abs(r));
    envelope_ = std::max(peak, envelope_ * release_);
    if (envelope_ > ceiling_) {
      const float gain = ceiling_ / envelope_;
      l *= gain;
      r *= gain;
    } else {
      envelope_ = 0.0f;
    }
  }
}

}  // namespace platform
