// The engine as its worker threads reach it: the table lock, and the engine
// itself until it is destroyed. A thread that outlived the engine's wait for
// it keeps this alive and finds no engine.
#pragma once
#include <mutex>

#include "sound/qv_sound.h"

namespace sound {

struct QvSound::EngineLink {
  std::recursive_mutex mutex;
  QvSound* engine = nullptr;
};

}  // namespace sound
