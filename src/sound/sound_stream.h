// The one music stream: a ring of eight chunks in a mixer buffer, refilled
// from the WAV file by the fill thread as the play cursor moves on. The
// record is shared between the engine and its fill thread.
#pragma once
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/audio_mixer.h"
#include "platform/events.h"
#include "sound/sound_file.h"

namespace sound {

class SNDSample;

enum StreamFlags : uint32_t {
  kStreamLoaded = 0x1,
  kStreamPlaying = 0x2,
  kStreamLooping = 0x4,
  kStreamPaused = 0x8,
  kStreamFillRunning = 0x10,
  kStreamPrimed = 0x80000000,  // the first chunk notification has been seen
};

inline constexpr int kStreamChunks = 8;
inline constexpr int kStreamStopEvent = kStreamChunks;  // index of the stop notification

using StreamNextFunc = std::function<void(uint32_t id)>;

struct SNDStream {
  std::atomic<uint32_t> flags{0};
  std::unique_ptr<SoundFile> file;
  uint32_t dataStart = 0;
  uint32_t chunkSize = 0;
  uint32_t ringSize = 0;
  uint32_t remaining = 0;  // data bytes not yet read in this pass
  std::atomic<SNDSample*> sample{nullptr};
  std::shared_ptr<platform::SoundBuffer> buffer;
  std::array<platform::NotifyPosition, kStreamChunks + 1> positions;
  std::array<std::shared_ptr<platform::Event>, kStreamChunks + 1> events;

  uint32_t id = 0;
  uint32_t dataSize = 0;
  int endChunk = -1;  // without looping: the chunk that holds the last data
  uint32_t pausePos = 0;
  const platform::SoundBuffer* bufferIdentity = nullptr;

  std::atomic<uint64_t> handled{0};      // notifications the fill thread has dealt with
  std::atomic<bool> abandoned{false};    // the engine gave up waiting for the fill thread
  bool finished = false;                 // the fill thread has ended

  // Held while the file, the ring or the counters change.
  std::mutex mutex;
  std::condition_variable changed;
};

}  // namespace sound
