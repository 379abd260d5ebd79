#include "bull.h"

#include <algorithm>
#include <cmath>

#include "voice.h"

namespace sfx {
namespace {

// Lips closed ("mm") through "oo" to a wide open "aw".
Formants MouthShape(double open, double tract) {
  open = std::clamp(open, 0.0, 1.0);
  const Formants f = open < 0.5 ? Blend(vowel::kM, vowel::kOo, open * 2.0)
                                : Blend(vowel::kOo, vowel::kAw, (open - 0.5) * 2.0);
  return Scaled(f, tract);
}

// Each part is brought to a known peak before mixing so the balance
// inside one reaction does not depend on filter gains.
Mono AtPeak(Mono x, double peak) {
  NormalisePeak(x, peak);
  return x;
}

}  // namespace

Mono Moo(const MooShape& s) {
  const int n = Samples(s.seconds);
  Mono out(static_cast<size_t>(n));
  Glottis glottis(s.seed, s.jitter, s.shimmer, s.brightness);
  Random noise(s.seed * 7919 + 17);
  FormantFilter voice(s.tract), breath(s.tract);
  // With the lips closed the sound leaves through the nose: only the low
  // murmur gets out. Opening the mouth lets the upper formants through.
  Biquad lips;
  Biquad air = Biquad::BandPass(1400, 0.7);
  // A slow random drift on top of the vibrato keeps long moos from
  // sounding like a siren.
  OnePole drift(3.0);
  double vibrato_phase = 0;
  float last = 0;
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    if (i % 32 == 0) {
      const double open = std::clamp(s.open.At(t), 0.0, 1.0);
      const Formants f = MouthShape(open, s.tract);
      voice.Set(f);
      breath.Set(f);
      lips.SetLowPass(450.0 * std::pow(10.0, open), 0.7);
    }
    vibrato_phase += kTwoPi * s.vibrato_hz / kRate;
    const double wobble = 1.0 + s.vibrato_depth * std::sin(vibrato_phase) +
                          0.02 * drift.Process(static_cast<float>(noise.Noise()));
    const float source = glottis.Next(s.pitch.At(t) * wobble);
    const float hiss = static_cast<float>(noise.Noise());
    const float tract = lips.Process(voice.Process(source) + static_cast<float>(3.0 * s.breath) * breath.Process(hiss));
    // Sound radiating from the mouth rises 6 dB per octave.
    const float radiated = tract - last;
    last = tract;
    const float aspirated = air.Process(hiss) * 0.1f;
    out[static_cast<size_t>(i)] = static_cast<float>(s.loudness.At(t) * (radiated + s.breath * aspirated));
  }
  return out;
}

Mono Snort(double seconds, double centre_hz, uint64_t seed) {
  const int n = Samples(seconds);
  Mono out(static_cast<size_t>(n));
  Random noise(seed);
  // Breath through the nasal passages: a dull rush with one broad peak,
  // little above 2 kHz, and a rumble from the chest.
  Biquad nose = Biquad::BandPass(centre_hz, 2.0);
  Biquad rush = Biquad::LowPass(1800, 0.7);
  Biquad rush2 = Biquad::LowPass(1800, 0.7);
  Biquad rumble = Biquad::LowPass(250, 0.7);
  const double flutter_hz = noise.Range(24, 34);
  const double flutter_phase = noise.Range(0, kTwoPi);
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double x = t / seconds;
    const double env = std::min(1.0, t / 0.012) * std::pow(1.0 - x, 1.5);
    // The nostrils flap in the stream of air.
    const double flutter = 0.5 + 0.5 * std::sin(kTwoPi * flutter_hz * t + flutter_phase);
    const float nz = static_cast<float>(noise.Noise());
    const double v = 1.5 * nose.Process(nz) + rush2.Process(rush.Process(nz)) + 1.2 * rumble.Process(nz);
    out[static_cast<size_t>(i)] = static_cast<float>(env * (0.35 + 0.65 * flutter) * v);
  }
  return out;
}

Mono Stamp(uint64_t seed) {
  const int n = Samples(0.3);
  Mono out(static_cast<size_t>(n));
  Random noise(seed);
  Biquad impact = Biquad::LowPass(600, 0.7);
  Biquad dirt = Biquad::BandPass(noise.Range(1500, 2200), 0.8);
  double phase = 0;
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double hz = 50.0 + 80.0 * std::exp(-t / 0.025);
    phase += kTwoPi * hz / kRate;
    const double attack = std::min(1.0, t / 0.001);
    const float nz = static_cast<float>(noise.Noise());
    const double thump = std::sin(phase) * std::exp(-t / 0.07);
    const double body = 2.5 * impact.Process(nz) * std::exp(-t / 0.02);
    const double grit = 0.6 * dirt.Process(nz) * std::exp(-t / 0.012);
    out[static_cast<size_t>(i)] = static_cast<float>(attack * (thump + body + grit));
  }
  return out;
}

Mono BullContent() {
  Mono out(static_cast<size_t>(Samples(1.5)), 0.0f);
  const Mono moo = Moo({.seconds = 1.35,
                        .pitch = {{0, 112}, {0.25, 128}, {0.8, 124}, {1.3, 106}},
                        .open = {{0, 0}, {0.2, 0.1}, {0.45, 0.9}, {1.0, 0.8}, {1.3, 0.4}},
                        .loudness = {{0, 0}, {0.12, 0.55}, {0.4, 1}, {1.0, 0.85}, {1.34, 0}},
                        .vibrato_hz = 5.0,
                        .vibrato_depth = 0.01,
                        .breath = 0.05,
                        .seed = 101});
  MixAt(out, AtPeak(moo, 1.0), Samples(0.05), 1.0f);
  return out;
}

Mono BullExcited() {
  Mono out(static_cast<size_t>(Samples(1.95)), 0.0f);
  // A quick grunt, then a long moo that climbs.
  const Mono grunt = Moo({.seconds = 0.28,
                          .pitch = {{0, 120}, {0.28, 128}},
                          .open = {{0, 0}, {0.12, 0.6}, {0.28, 0.3}},
                          .loudness = {{0, 0}, {0.05, 1}, {0.2, 0.7}, {0.28, 0}},
                          .breath = 0.08,
                          .seed = 201});
  const Mono call = Moo({.seconds = 1.5,
                         .pitch = {{0, 125}, {0.3, 135}, {1.0, 190}, {1.25, 198}, {1.5, 182}},
                         .open = {{0, 0}, {0.2, 0.5}, {0.5, 1.0}, {1.3, 0.9}, {1.5, 0.5}},
                         .loudness = {{0, 0}, {0.1, 0.6}, {0.5, 1}, {1.3, 0.9}, {1.49, 0}},
                         .vibrato_hz = 6.0,
                         .vibrato_depth = 0.02,
                         .breath = 0.06,
                         .brightness = 1800,
                         .seed = 202});
  MixAt(out, AtPeak(grunt, 0.6), Samples(0.03), 1.0f);
  MixAt(out, AtPeak(call, 1.0), Samples(0.38), 1.0f);
  return out;
}

Mono BullDisapprove() {
  Mono out(static_cast<size_t>(Samples(2.45)), 0.0f);
  const Mono moo = Moo({.seconds = 1.7,
                        .pitch = {{0, 128}, {0.3, 124}, {1.7, 90}},
                        .open = {{0, 0}, {0.3, 0.15}, {0.7, 0.65}, {1.4, 0.5}, {1.7, 0.2}},
                        .loudness = {{0, 0}, {0.15, 0.6}, {0.5, 1}, {1.3, 0.7}, {1.69, 0}},
                        .vibrato_hz = 4.5,
                        .vibrato_depth = 0.008,
                        .breath = 0.08,
                        .tract = 0.78,
                        .brightness = 1000,
                        .seed = 301});
  MixAt(out, AtPeak(Snort(0.32, 900, 302), 1.0), 0, 1.0f);
  MixAt(out, AtPeak(Snort(0.16, 1100, 303), 0.5), Samples(0.36), 1.0f);
  MixAt(out, AtPeak(moo, 0.9), Samples(0.68), 1.0f);
  return out;
}

Mono BullAngry() {
  Mono out(static_cast<size_t>(Samples(2.5)), 0.0f);
  const Mono bellow = Moo({.seconds = 1.5,
                           .pitch = {{0, 110}, {0.2, 150}, {1.0, 140}, {1.5, 104}},
                           .open = {{0, 0.2}, {0.15, 0.9}, {0.3, 1.0}, {1.2, 0.9}, {1.5, 0.4}},
                           .loudness = {{0, 0}, {0.06, 0.8}, {0.25, 1}, {1.2, 0.9}, {1.49, 0}},
                           .vibrato_hz = 7.0,
                           .vibrato_depth = 0.015,
                           .breath = 0.12,
                           .jitter = 0.015,
                           .shimmer = 0.25,
                           .tract = 0.8,
                           .brightness = 2400,
                           .seed = 401});
  MixAt(out, AtPeak(Stamp(402), 0.8), 0, 1.0f);
  MixAt(out, AtPeak(Stamp(403), 0.7), Samples(0.26), 1.0f);
  MixAt(out, AtPeak(Snort(0.2, 800, 404), 0.45), Samples(0.3), 1.0f);
  MixAt(out, AtPeak(bellow, 1.0), Samples(0.48), 1.0f);
  MixAt(out, AtPeak(Stamp(405), 0.8), Samples(1.98), 1.0f);
  MixAt(out, AtPeak(Stamp(406), 0.65), Samples(2.2), 1.0f);
  out.resize(static_cast<size_t>(Samples(2.5)));
  return out;
}

Mono BullPuzzled() {
  Mono out(static_cast<size_t>(Samples(1.55)), 0.0f);
  // "Hm" with closed lips, then a longer hum that lifts like a question.
  const Mono hm = Moo({.seconds = 0.26,
                       .pitch = {{0, 122}, {0.26, 116}},
                       .open = {{0, 0}},
                       .loudness = {{0, 0}, {0.04, 1}, {0.18, 0.8}, {0.26, 0}},
                       .breath = 0.04,
                       .seed = 501});
  const Mono query = Moo({.seconds = 1.1,
                          .pitch = {{0, 114}, {0.35, 110}, {0.65, 116}, {1.05, 168}},
                          .open = {{0, 0}, {0.6, 0.05}, {1.05, 0.4}},
                          .loudness = {{0, 0}, {0.1, 0.8}, {0.6, 0.85}, {0.95, 1}, {1.09, 0}},
                          .vibrato_hz = 5.0,
                          .vibrato_depth = 0.006,
                          .breath = 0.04,
                          .seed = 502});
  MixAt(out, AtPeak(hm, 0.7), Samples(0.03), 1.0f);
  MixAt(out, AtPeak(query, 1.0), Samples(0.38), 1.0f);
  return out;
}

Mono BullSad() {
  Mono out(static_cast<size_t>(Samples(2.3)), 0.0f);
  const Mono moo = Moo({.seconds = 2.2,
                        .pitch = {{0, 110}, {0.3, 114}, {1.5, 96}, {2.2, 86}},
                        .open = {{0, 0}, {0.35, 0.8}, {1.4, 0.7}, {2.0, 0.2}},
                        .loudness = {{0, 0}, {0.2, 0.7}, {0.5, 1}, {1.5, 0.75}, {2.19, 0}},
                        .vibrato_hz = 4.0,
                        .vibrato_depth = 0.025,
                        .breath = 0.1,
                        .tract = 0.75,
                        .brightness = 900,
                        .seed = 601});
  MixAt(out, AtPeak(moo, 1.0), Samples(0.05), 1.0f);
  return out;
}

}  // namespace sfx
