#include "instruments.h"

#include <algorithm>
#include <cmath>

namespace sfx {

Mono Marimba(double hz, double velocity) {
  // Higher bars are shorter and ring less.
  const double ring = std::clamp(0.3 * 440.0 / hz, 0.12, 0.5);
  const int n = Samples(ring * 5.0);
  Mono out(static_cast<size_t>(n));
  struct Mode {
    double ratio, amp, tau;
  };
  const Mode modes[] = {{1.0, 1.0, ring}, {3.93, 0.22 * velocity, 0.06}, {9.2, 0.06 * velocity, 0.02}};
  for (const Mode& m : modes) {
    const double f = hz * m.ratio;
    if (f > 0.45 * kRate) continue;
    DampedSine mode(f, m.tau, m.amp);
    for (float& v : out) v += static_cast<float>(mode.Next());
  }
  // The mallet's own short knock.
  Random noise(static_cast<uint64_t>(hz * 100.0));
  Biquad knock = Biquad::BandPass(std::min(hz * 2.0, 3000.0), 1.0);
  const int knock_n = std::min(n, Samples(0.012));
  for (int i = 0; i < knock_n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    out[static_cast<size_t>(i)] +=
        static_cast<float>(0.3 * velocity * std::exp(-t / 0.003) * knock.Process(static_cast<float>(noise.Noise())));
  }
  const int attack = Samples(0.002);
  for (int i = 0; i < attack && i < n; ++i) out[static_cast<size_t>(i)] *= static_cast<float>(i) / attack;
  for (float& v : out) v *= static_cast<float>(velocity);
  return out;
}

Mono Pluck(double hz, double hold, double brightness, uint64_t seed) {
  const double period = static_cast<double>(kRate) / hz;
  // The averaging loop filter delays by half a sample; the all-pass makes
  // up the fraction so the note is in tune.
  const int delay = static_cast<int>(std::floor(period - 0.5 - 0.1));
  const double frac = period - 0.5 - delay;
  const double ap = (1.0 - frac) / (1.0 + frac);
  const int n = Samples(hold + 0.25);
  const int damp_at = Samples(hold);
  std::vector<float> line(static_cast<size_t>(delay));
  Random noise(seed);
  // A softened noise burst is the pick.
  OnePole pick(brightness);
  for (float& v : line) v = pick.Process(static_cast<float>(noise.Noise()));
  // Without its mean the burst leaves no slowly dying offset behind.
  double mean = 0;
  for (float v : line) mean += v;
  mean /= static_cast<double>(line.size());
  for (float& v : line) v -= static_cast<float>(mean);
  double ap_x1 = 0, ap_y1 = 0, prev = 0;
  size_t pos = 0;
  Mono out(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const double x = line[pos];
    const double gain = i < damp_at ? 0.996 : 0.93;
    double y = gain * 0.5 * (x + prev);
    prev = x;
    const double tuned = ap * y + ap_x1 - ap * ap_y1;
    ap_x1 = y;
    ap_y1 = tuned;
    line[pos] = static_cast<float>(tuned);
    pos = (pos + 1) % line.size();
    out[static_cast<size_t>(i)] = static_cast<float>(x);
  }
  const int attack = Samples(0.001);
  for (int i = 0; i < attack && i < n; ++i) out[static_cast<size_t>(i)] *= static_cast<float>(i) / attack;
  FadeEnds(out, 0.0, 0.02);
  return out;
}

Mono Bass(double hz, double seconds) {
  const int n = Samples(seconds + 0.08);
  const int release_at = Samples(seconds);
  Mono out(static_cast<size_t>(n));
  // The note dies away over 0.7 s; upper harmonics fade faster: the thump
  // of the finger, then the tone.
  auto tau = [](double own) { return 1.0 / (1.0 / 0.7 + 1.0 / own); };
  DampedSine h1(hz, 0.7, 1.0), h2(2 * hz, tau(0.12), 0.45), h3(3 * hz, tau(0.06), 0.2);
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double tone = h1.Next() + h2.Next() + h3.Next();
    double env = std::min(1.0, t / 0.006);
    if (i >= release_at) env *= std::max(0.0, 1.0 - static_cast<double>(i - release_at) / (n - release_at));
    out[static_cast<size_t>(i)] = static_cast<float>(env * tone);
  }
  return out;
}

Mono Kick() {
  const int n = Samples(0.3);
  Mono out(static_cast<size_t>(n));
  double phase = 0;
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    phase += kTwoPi * (48.0 + 62.0 * std::exp(-t / 0.03)) / kRate;
    const double env = std::min(1.0, t / 0.002) * std::exp(-t / 0.11);
    out[static_cast<size_t>(i)] = static_cast<float>(env * std::sin(phase));
  }
  FadeEnds(out, 0.0, 0.03);
  return out;
}

Mono Shaker(uint64_t seed) {
  const int n = Samples(0.09);
  Mono out(static_cast<size_t>(n));
  Random noise(seed);
  Biquad band = Biquad::BandPass(6500, 1.2);
  Biquad high = Biquad::HighPass(3000, 0.7);
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    // Beads take a moment to hit the shell: a soft front.
    const double env = std::min(1.0, t / 0.012) * std::exp(-std::max(0.0, t - 0.012) / 0.022);
    out[static_cast<size_t>(i)] = static_cast<float>(env * high.Process(band.Process(static_cast<float>(noise.Noise()))));
  }
  FadeEnds(out, 0.0, 0.01);
  return out;
}

Mono Pad(double hz, double seconds, double detune_cents) {
  const int n = Samples(seconds + 0.5);
  Mono out(static_cast<size_t>(n));
  const double f = hz * std::pow(2.0, detune_cents / 1200.0);
  DampedSine h1(f, 0, 1.0), h2(2 * f, 0, 0.18), h3(3 * f, 0, 0.08);
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    double env = std::min(1.0, t / 0.35);
    if (t > seconds) env *= std::max(0.0, 1.0 - (t - seconds) / 0.5);
    const double tone = h1.Next() + h2.Next() + h3.Next();
    out[static_cast<size_t>(i)] = static_cast<float>(env * env * tone);
  }
  return out;
}

Reverb::Reverb() {
  const int comb_lengths[] = {558, 594, 638, 678};
  const int pass_lengths[] = {278, 220};
  for (int ch = 0; ch < 2; ++ch) {
    const int spread = ch * 12;
    for (int len : comb_lengths) combs_[ch].push_back({std::vector<float>(static_cast<size_t>(len + spread)), 0, 0});
    for (int len : pass_lengths) passes_[ch].push_back({std::vector<float>(static_cast<size_t>(len + spread)), 0});
  }
}

float Reverb::Run(Comb& c, float x) {
  constexpr float kFeedback = 0.8f, kDamp = 0.3f;
  const float out = c.line[c.pos];
  c.store = out * (1.0f - kDamp) + c.store * kDamp;
  c.line[c.pos] = x + c.store * kFeedback;
  c.pos = (c.pos + 1) % c.line.size();
  return out;
}

float Reverb::Run(AllPass& a, float x) {
  const float buffered = a.line[a.pos];
  const float out = buffered - x;
  a.line[a.pos] = x + buffered * 0.5f;
  a.pos = (a.pos + 1) % a.line.size();
  return out;
}

void Reverb::Process(float in, float* left, float* right) {
  float* outs[2] = {left, right};
  for (int ch = 0; ch < 2; ++ch) {
    float sum = 0;
    for (Comb& c : combs_[ch]) sum += Run(c, in);
    for (AllPass& a : passes_[ch]) sum = Run(a, sum);
    *outs[ch] = sum * 0.25f;
  }
}

}  // namespace sfx
