#include <algorithm>
#include <cmath>

#include "effects.h"
#include "voice.h"

namespace sfx {
namespace {

constexpr double kCheerSeconds = 2.0;

// What one person in the crowd shouts: a vowel that moves from a to b.
struct Shout {
  Formants from, to;
};

const Shout kShouts[] = {
    {vowel::kEe, vowel::kAh},  // "yeah"
    {vowel::kOo, vowel::kOo},  // "woo"
    {vowel::kEh, vowel::kEe},  // "hey"
    {vowel::kAh, vowel::kAw},  // "ahh"
    {vowel::kOo, vowel::kAh},  // "wah"
};

// One cheering voice added into out: a pitched shout with a lot of breath,
// rising at first and sagging at the end.
void AddVoice(Mono& out, Random& random, uint64_t seed) {
  const bool high = random.Uniform() < 0.5;
  const double base = high ? random.Range(200, 330) : random.Range(115, 190);
  const double tract = high ? random.Range(1.1, 1.2) : random.Range(0.95, 1.05);
  const Shout& shout = kShouts[static_cast<size_t>(random.Range(0, std::size(kShouts)))];
  const double start = random.Range(0.0, 0.45);
  const double length = std::min(random.Range(0.7, 1.5), kCheerSeconds - 0.05 - start);
  const double rise = random.Range(1.1, 1.3), fall = random.Range(0.7, 0.9);
  const double gain = random.Range(0.3, 1.0);
  const double vibrato_hz = random.Range(5, 7), vibrato_phase = random.Range(0, kTwoPi);

  Glottis glottis(seed, 0.012, 0.12, 1500);
  Random noise(seed ^ 0xA5A5A5A5ULL);
  FormantFilter voice, breath;
  const int offset = Samples(start), n = Samples(length);
  double last = 0;
  for (int i = 0; i < n && static_cast<size_t>(offset + i) < out.size(); ++i) {
    const double x = static_cast<double>(i) / n;
    if (i % 32 == 0) {
      const Formants f = Scaled(Blend(shout.from, shout.to, std::min(1.0, x * 2.5)), tract);
      voice.Set(f);
      breath.Set(f);
    }
    const double contour = x < 0.35 ? 1.0 + (rise - 1.0) * x / 0.35
                                    : rise + (fall - rise) * (x - 0.35) / 0.65;
    const double t = static_cast<double>(i) / kRate;
    const double hz = base * contour * (1.0 + 0.015 * std::sin(kTwoPi * vibrato_hz * t + vibrato_phase));
    const double env = std::min(1.0, x / 0.08) * std::min(1.0, (1.0 - x) / 0.3);
    const double v = voice.Process(glottis.Next(hz)) + 0.6 * breath.Process(static_cast<float>(noise.Noise()));
    // Radiation from the mouth: a first difference.
    out[static_cast<size_t>(offset + i)] += static_cast<float>(gain * env * (v - last));
    last = v;
  }
}

// One hand clap: a very short bright burst.
void AddClap(Mono& out, int at, double amp, double hz, Random& random) {
  Biquad body = Biquad::BandPass(hz, 1.5);
  Biquad crack = Biquad::HighPass(2500, 0.7);
  const double tau = random.Range(0.006, 0.011);
  const int n = Samples(0.06);
  for (int i = 0; i < n && static_cast<size_t>(at + i) < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const float nz = static_cast<float>(random.Noise());
    const double env = std::min(1.0, t / 0.0008) * std::exp(-t / tau);
    out[static_cast<size_t>(at + i)] += static_cast<float>(amp * env * (body.Process(nz) + 0.4 * crack.Process(nz)));
  }
}

}  // namespace

Mono Cheer() {
  const size_t n = static_cast<size_t>(Samples(kCheerSeconds));
  Random random(2024);
  Mono voices(n, 0.0f);
  for (int k = 0; k < 36; ++k) AddVoice(voices, random, 5000 + static_cast<uint64_t>(k));

  Mono claps(n, 0.0f);
  for (int hands = 0; hands < 10; ++hands) {
    const double rate = random.Range(3.5, 5.0);
    const double hz = random.Range(900, 2200);
    const double stop = random.Range(1.3, 1.85);
    for (double t = random.Range(0.1, 0.5); t < stop; t += 1.0 / rate) {
      const double at = t + random.Range(-0.015, 0.015);
      AddClap(claps, Samples(at), random.Range(0.5, 1.0), hz, random);
    }
  }

  // The general roar under the single voices.
  Mono roar(n);
  Biquad low = Biquad::BandPass(700, 0.8), high = Biquad::BandPass(1800, 1.0);
  for (size_t i = 0; i < n; ++i) {
    const float nz = static_cast<float>(random.Noise());
    roar[i] = low.Process(nz) + 0.5f * high.Process(nz);
  }

  NormalisePeak(voices, 1.0);
  NormalisePeak(claps, 1.0);
  NormalisePeak(roar, 1.0);
  // Swell up, hold, die away.
  const Curve swell{{0, 0.15}, {0.35, 1.0}, {1.2, 0.85}, {kCheerSeconds, 0.0}};
  Mono out(n);
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    out[i] = static_cast<float>(swell.At(t) * (0.75 * voices[i] + 0.45 * claps[i] + 0.25 * roar[i]));
  }
  return out;
}

}  // namespace sfx
