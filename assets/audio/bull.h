// The bull's voice: moos, snorts and hoof stamps, and the six reactions the
// quiz plays with its animations.
#pragma once

#include <cstdint>

#include "dsp.h"

namespace sfx {

struct MooShape {
  double seconds = 1.0;
  Curve pitch{{0, 120}};     // fundamental in Hz over time
  Curve open{{0, 0}};        // 0 = lips closed ("mm"), 0.5 "oo", 1 wide open
  Curve loudness{{0, 1}};    // amplitude envelope
  double vibrato_hz = 5.0;
  double vibrato_depth = 0.01;  // fraction of the pitch
  double breath = 0.05;         // level of breath noise against the voice
  double jitter = 0.006;
  double shimmer = 0.06;
  double tract = 0.82;          // formant scale; below 1 = a big animal
  double brightness = 1800;     // source tilt corner in Hz
  uint64_t seed = 1;
};

Mono Moo(const MooShape& shape);
// Air forced through the nostrils, with the flutter of the nose.
Mono Snort(double seconds, double centre_hz, uint64_t seed);
// A hoof hitting the ground: a low thump with a little dirt.
Mono Stamp(uint64_t seed);

Mono BullContent();    // bull01: right answer
Mono BullExcited();    // bull02: right answer on the top rung
Mono BullDisapprove(); // bull03: wrong answer
Mono BullAngry();      // bull04: wrong after a good run
Mono BullPuzzled();    // bull05: pass
Mono BullSad();        // bull06: game over

}  // namespace sfx
