// The quiz's background music: a light country tune in G major that loops
// without a seam.
#pragma once

#include "dsp.h"

namespace sfx {

inline constexpr double kMusicTempo = 120.0;  // beats per minute
inline constexpr int kMusicBars = 24;         // 4/4, so 48 seconds

// Stereo, kMusicBars bars long, mixed to about -16 dBFS RMS. The end flows
// straight into the beginning: every tail that rings past the end is
// already heard at the start.
Stereo Music();

}  // namespace sfx
