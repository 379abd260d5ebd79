// What tests, fuzz targets and benchmarks read or wait for inside the sound
// engine, kept out of the engine's own interface.
#pragma once
#include <chrono>
#include <memory>
#include <mutex>

#include "sound/qv_sound.h"

namespace sound {

struct QvSoundProbe {
  // The slot at that place of the table; none outside it.
  static SNDSample* Slot(QvSound& engine, int index) {
    return index >= 0 && index < engine.g_nEndSample ? &engine.g_SampleList[index] : nullptr;
  }

  // True once every notification signalled so far has been dealt with by
  // the fill thread (or there is none), so that a caller pulling the mix by
  // hand keeps the refills in step.
  static bool WaitStreamSettled(QvSound& engine, int timeoutMs) {
    std::shared_ptr<SNDStream> stream;
    {
      auto lock = engine.Lock();
      stream = engine.g_StreamInfo;
    }
    auto settled = [&] {
      if (stream->finished || !(stream->flags.load() & kStreamFillRunning)) return true;
      uint64_t signalled = 0;
      for (const auto& event : stream->events)
        if (event) signalled += event->signalCount();
      return stream->handled.load() >= signalled;
    };
    std::unique_lock lock(stream->mutex);
    return stream->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), settled);
  }
};

}  // namespace sound
