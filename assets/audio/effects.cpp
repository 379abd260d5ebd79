#include "effects.h"

#include <algorithm>
#include <cmath>

#include "instruments.h"

namespace sfx {
namespace {

// One exponentially decaying sine mode of a struck object.
struct Mode {
  double hz, amp, tau;
};

// Adds decaying modes starting at offset. beat_hz splits each mode into an
// unequal pair of close twins, the slow shimmer of a real bell; every mode
// beats at its own rate so the whole sound never dips at once.
void Strike(Mono& out, int offset, const Mode* modes, size_t count, double beat_hz) {
  for (size_t m = 0; m < count; ++m) {
    const Mode& mode = modes[m];
    if (mode.hz > 0.45 * kRate) continue;
    const double beat = beat_hz * (0.6 + 0.45 * static_cast<double>(m));
    DampedSine low(mode.hz - beat / 2, mode.tau, 0.7 * mode.amp);
    DampedSine high(mode.hz + beat / 2, mode.tau, 0.3 * mode.amp);
    for (size_t i = static_cast<size_t>(offset); i < out.size(); ++i) {
      const double k = static_cast<double>(i - static_cast<size_t>(offset));
      // A millisecond of rise keeps a mode from starting with a click.
      const double rise = std::min(1.0, k / (0.001 * kRate));
      out[i] += static_cast<float>(rise * (low.Next() + high.Next()));
    }
  }
}

// Noise burst through a band-pass, for the contact noise of strikes.
void Burst(Mono& out, int offset, double seconds, double tau, double hz, double q, double amp, uint64_t seed) {
  Random noise(seed);
  Biquad band = Biquad::BandPass(hz, q);
  const int n = Samples(seconds);
  for (int i = 0; i < n && static_cast<size_t>(offset + i) < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    out[static_cast<size_t>(offset + i)] +=
        static_cast<float>(amp * std::exp(-t / tau) * band.Process(static_cast<float>(noise.Noise())));
  }
}

}  // namespace

Mono Bell() {
  Mono out(static_cast<size_t>(Samples(0.8)), 0.0f);
  const double f = kBellHz;
  const Mode modes[] = {{f, 1.0, 0.32},        {f * 2.01, 0.3, 0.2},   {f * 2.76, 0.42, 0.16},
                        {f * 4.07, 0.22, 0.1}, {f * 5.40, 0.16, 0.07}, {f * 6.80, 0.1, 0.05},
                        {f * 0.5, 0.12, 0.4}};
  Strike(out, 0, modes, std::size(modes), 1.6);
  Burst(out, 0, 0.01, 0.002, 5000, 0.8, 0.6, 11);
  return out;
}

Mono Hammer() {
  Mono out(static_cast<size_t>(Samples(0.4)), 0.0f);
  // Wooden board modes, then a weaker rebound of the hammer.
  const Mode board[] = {{180, 1.0, 0.06}, {420, 0.7, 0.045}, {870, 0.5, 0.03}, {1530, 0.3, 0.02}};
  const Mode rebound[] = {{180, 0.3, 0.05}, {420, 0.25, 0.035}, {870, 0.15, 0.02}};
  Strike(out, 0, board, std::size(board), 0.0);
  Strike(out, Samples(0.085), rebound, std::size(rebound), 0.0);
  Burst(out, 0, 0.02, 0.003, 2500, 0.9, 1.2, 21);
  Burst(out, Samples(0.085), 0.015, 0.002, 2500, 0.9, 0.35, 22);
  // The low thud of the blow.
  double phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    phase += kTwoPi * (70.0 + 50.0 * std::exp(-t / 0.02)) / kRate;
    out[i] += static_cast<float>(0.8 * std::exp(-t / 0.05) * std::sin(phase));
  }
  return out;
}

Mono Negative() {
  const int n = Samples(0.5);
  Mono out(static_cast<size_t>(n));
  Saw a, b;
  Biquad tone = Biquad::LowPass(1200, 0.8);
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double sag = 1.0 - 0.06 * t / 0.5;  // the pitch sinks a little
    const double v = a.Next(98.0 * sag) + b.Next(103.6 * sag);
    const double env = std::min(1.0, t / 0.01) * std::min(1.0, (0.5 - t) / 0.12);
    out[static_cast<size_t>(i)] = static_cast<float>(env * tone.Process(static_cast<float>(v)));
  }
  return out;
}

Mono Positive() {
  Mono out(static_cast<size_t>(Samples(0.5)), 0.0f);
  // A rising fourth, G5 then C6.
  const double notes[] = {NoteHz(79), NoteHz(84)};
  for (int k = 0; k < 2; ++k) {
    const double f = notes[k];
    const Mode modes[] = {{f, 1.0, 0.18}, {f * 2.0, 0.3, 0.1}, {f * 3.0, 0.1, 0.05}};
    Strike(out, Samples(0.11 * k), modes, std::size(modes), 0.0);
  }
  return out;
}

Mono Neutral() {
  const int n = Samples(0.3);
  Mono out(static_cast<size_t>(n));
  double phase = 0;
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    phase += kTwoPi * (620.0 + 80.0 * std::exp(-t / 0.03)) / kRate;
    const double env = std::min(1.0, t / 0.004) * std::exp(-t / 0.06);
    out[static_cast<size_t>(i)] = static_cast<float>(env * (std::sin(phase) + 0.2 * std::sin(2 * phase)));
  }
  return out;
}

Mono ScoreDrop() {
  const int n = Samples(0.7);
  Mono out(static_cast<size_t>(n));
  Saw saw, sub;
  Biquad tone = Biquad::LowPass(2800, 0.7);
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    // Exponential glide from 880 Hz down to 165 Hz with a wobble.
    const double glide = 880.0 * std::pow(165.0 / 880.0, t / 0.7);
    const double hz = glide * (1.0 + 0.03 * std::sin(kTwoPi * 9.0 * t));
    const double v = saw.Next(hz) + 0.3 * sub.Next(hz / 2);
    const double env = std::min(1.0, t / 0.01) * (0.45 + 0.55 * std::min(1.0, (0.7 - t) / 0.35));
    out[static_cast<size_t>(i)] = static_cast<float>(env * tone.Process(static_cast<float>(v)));
  }
  return out;
}

Mono PointsChart() {
  Mono out(static_cast<size_t>(Samples(0.6)), 0.0f);
  // C5 E5 G5 C6, the last one a little stronger.
  const int notes[] = {72, 76, 79, 84};
  for (int k = 0; k < 4; ++k) {
    Mono note = Marimba(NoteHz(notes[k]), k == 3 ? 1.0 : 0.8);
    MixAt(out, note, Samples(0.085 * k), 1.0f);
  }
  out.resize(static_cast<size_t>(Samples(0.6)));
  return out;
}

Mono Buzzer() {
  const int n = Samples(0.6);
  Mono out(static_cast<size_t>(n));
  // Two square waves a little apart, made from pairs of sawtooths.
  Saw a1, a2, b1, b2;
  for (int i = 0; i < Samples(1.0 / 280.0); ++i) a2.Next(140.0);
  for (int i = 0; i < Samples(1.0 / 294.0); ++i) b2.Next(147.0);
  Biquad tone = Biquad::LowPass(2500, 0.7);
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double square = (a1.Next(140.0) - a2.Next(140.0)) + (b1.Next(147.0) - b2.Next(147.0));
    const double rattle = 0.85 + 0.15 * std::sin(kTwoPi * 25.0 * t);
    const double env = std::min(1.0, t / 0.008) * std::min(1.0, (0.6 - t) / 0.06);
    out[static_cast<size_t>(i)] = static_cast<float>(env * rattle * tone.Process(static_cast<float>(square)));
  }
  return out;
}

Mono Tick() {
  Mono out(static_cast<size_t>(Samples(0.15)), 0.0f);
  const Mode modes[] = {{2200, 1.0, 0.008}, {3700, 0.6, 0.005}, {600, 0.35, 0.015}};
  Strike(out, 0, modes, std::size(modes), 0.0);
  Burst(out, 0, 0.005, 0.0015, 6000, 0.7, 0.8, 31);
  return out;
}

Mono Bling() {
  Mono out(static_cast<size_t>(Samples(0.8)), 0.0f);
  // A quick upward sweep, the main ring with a shimmer, then a scatter of
  // small high pings from the pentatonic scale.
  double phase = 0;
  const int sweep = Samples(0.08);
  for (int i = 0; i < sweep; ++i) {
    const double x = static_cast<double>(i) / sweep;
    phase += kTwoPi * (1500.0 + 2500.0 * x) / kRate;
    out[static_cast<size_t>(i)] += static_cast<float>(0.35 * std::sin(kPi * x) * std::sin(phase));
  }
  const Mode ring[] = {{NoteHz(100), 0.8, 0.22}, {NoteHz(107), 0.5, 0.18}, {NoteHz(112), 0.25, 0.1}};
  Mono shine(out.size(), 0.0f);
  Strike(shine, sweep, ring, std::size(ring), 7.0);
  for (size_t i = 0; i < shine.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    out[i] += static_cast<float>(shine[i] * (0.8 + 0.2 * std::sin(kTwoPi * 12.0 * t)));
  }
  Random random(41);
  const int scale[] = {0, 2, 4, 7, 9};
  for (int k = 0; k < 12; ++k) {
    const double at = 0.06 + 0.045 * k + random.Range(0.0, 0.02);
    const int octave = 96 + 12 * static_cast<int>(random.Range(0, 2));
    const double hz = NoteHz(octave + scale[static_cast<int>(random.Range(0, 5))]);
    const Mode ping[] = {{hz, 0.35 * std::exp(-k / 6.0), random.Range(0.04, 0.08)}};
    Strike(out, Samples(at), ping, 1, 0.0);
  }
  return out;
}

}  // namespace sfx
