// Tuned and percussive instruments of the music, also used by cues that
// play notes. Each returns one dry note starting at sample 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "dsp.h"

namespace sfx {

// Wooden bar struck with a soft mallet: the fundamental rings, the bar's
// high modes die quickly.
Mono Marimba(double hz, double velocity);
// Plucked string (Karplus-Strong, tuned with an all-pass). After hold
// seconds the string is damped by the hand.
Mono Pluck(double hz, double hold, double brightness, uint64_t seed);
// Round plucked bass note of the given length.
Mono Bass(double hz, double seconds);
// Soft kick drum.
Mono Kick();
// One stroke of a shaker.
Mono Shaker(uint64_t seed);
// Soft sustained chord tone with a slow swell; detune in cents.
Mono Pad(double hz, double seconds, double detune_cents);

// A small stereo room (parallel damped combs into all-passes). The
// right channel uses slightly longer delays for width.
class Reverb {
 public:
  Reverb();
  void Process(float in, float* left, float* right);

 private:
  struct Comb {
    std::vector<float> line;
    std::size_t pos = 0;
    float store = 0;
  };
  struct AllPass {
    std::vector<float> line;
    std::size_t pos = 0;
  };
  static float Run(Comb& c, float x);
  static float Run(AllPass& a, float x);
  std::vector<Comb> combs_[2];
  std::vector<AllPass> passes_[2];
};

}  // namespace sfx
