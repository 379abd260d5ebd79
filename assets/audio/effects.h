// The quiz's short interface cues and the crowd cheer.
#pragma once

#include "dsp.h"

namespace sfx {

Mono Bell();         // right answer: bright struck bell
Mono Hammer();       // hammer knock on wood
Mono Negative();     // low buzz
Mono Positive();     // two-note rising chime
Mono Neutral();      // soft blip
Mono ScoreDrop();    // descending slide
Mono PointsChart();  // rising arpeggio
Mono Buzzer();       // wrong-answer buzzer
Mono Tick();         // short click
Mono Bling();        // sparkle
Mono Cheer();        // crowd cheering and clapping

// Fundamental of Bell(), for anyone tuning against it.
inline constexpr double kBellHz = 1046.5;

}  // namespace sfx
