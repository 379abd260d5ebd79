// WAV bytes made in the test, in-memory files for the engine, and an engine
// on a mixer whose output the test pulls by hand.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/bmp_file.h"  // PutLe
#include "platform/audio_mixer.h"
#include "platform/headless/pulled_audio.h"
#include "sound/qv_sound.h"
#include "sound/sound_file.h"
#include "support/memory_sound_file.h"
#include "support/qv_sound_probe.h"

namespace soundtest {

using test_support::PutLe;
inline void Put32(std::vector<uint8_t>& out, uint32_t v) { PutLe(out, v, 4); }

inline std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples) {
  std::vector<uint8_t> out;
  for (int16_t s : samples) PutLe(out, static_cast<uint16_t>(s), 2);
  return out;
}

// Frame i of a recognisable signal: every value differs from its neighbours.
inline int16_t Signal(size_t i, int channel = 0) {
  return static_cast<int16_t>(static_cast<int>((i * 37 + static_cast<size_t>(channel) * 11) % 20000) - 10000 +
                              (channel ? 1 : 0));
}

inline std::vector<int16_t> SignalFrames(size_t frames, int channels) {
  std::vector<int16_t> out;
  out.reserve(frames * static_cast<size_t>(channels));
  for (size_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c) out.push_back(Signal(i, c));
  return out;
}

// One channel's Signal(from..from+n-1), then silence up to `total` frames.
inline std::vector<int16_t> SignalRun(size_t from, size_t n, size_t total = 0, int channel = 0) {
  std::vector<int16_t> out(std::max(n, total), 0);
  for (size_t i = 0; i < n; ++i) out[i] = Signal(from + i, channel);
  return out;
}

// One channel of an interleaved stereo mix.
inline std::vector<int16_t> Side(const std::vector<int16_t>& stereo, int channel = 0) {
  std::vector<int16_t> out;
  for (size_t i = static_cast<size_t>(channel); i < stereo.size(); i += 2) out.push_back(stereo[i]);
  return out;
}

class WavBuilder {
 public:
  WavBuilder& fmt(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, uint32_t size = 16) {
    std::vector<uint8_t> body;
    PutLe(body, tag, 2);
    PutLe(body, channels, 2);
    Put32(body, rate);
    Put32(body, rate * channels * bits / 8);
    PutLe(body, channels * bits / 8, 2);
    PutLe(body, bits, 2);
    body.resize(size, 0);
    return chunk("fmt ", body);
  }
  WavBuilder& pcm(uint16_t channels, uint32_t rate, uint16_t bits) { return fmt(1, channels, rate, bits); }
  // A chunk; odd sizes get the pad byte unless told otherwise.
  WavBuilder& chunk(const char* id, const std::vector<uint8_t>& body, bool pad = true) {
    body_.insert(body_.end(), id, id + 4);
    Put32(body_, static_cast<uint32_t>(body.size()));
    body_.insert(body_.end(), body.begin(), body.end());
    if (pad && (body.size() & 1)) body_.push_back(0);
    return *this;
  }
  WavBuilder& smpl(uint32_t loops, uint32_t start, uint32_t end, uint32_t count) {
    std::vector<uint8_t> body(28, 0);
    Put32(body, loops);
    Put32(body, 0);
    if (loops)
      for (uint32_t v : {0u, 0u, start, end, 0u, count}) Put32(body, v);  // the first loop's record
    return chunk("smpl", body);
  }
  WavBuilder& data(const std::vector<uint8_t>& bytes) { return chunk("data", bytes); }
  // A data chunk whose size says more than the file holds.
  WavBuilder& dataClaiming(uint32_t claimed, const std::vector<uint8_t>& bytes) {
    body_.insert(body_.end(), {'d', 'a', 't', 'a'});
    Put32(body_, claimed);
    body_.insert(body_.end(), bytes.begin(), bytes.end());
    return *this;
  }
  std::vector<uint8_t> bytes() const {
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    Put32(out, static_cast<uint32_t>(body_.size() + 4));
    out.insert(out.end(), {'W', 'A', 'V', 'E'});
    out.insert(out.end(), body_.begin(), body_.end());
    return out;
  }

 private:
  std::vector<uint8_t> body_;
};

inline std::vector<uint8_t> SimpleWav(uint16_t channels, uint32_t rate, uint16_t bits,
                                      const std::vector<uint8_t>& data) {
  return WavBuilder().pcm(channels, rate, bits).data(data).bytes();
}

// Files the engine opens by name, kept in memory.
class FileStore {
 public:
  void add(const std::string& name, std::vector<uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    files_[name] = std::move(bytes);
  }
  // A mono 22050 Hz sound of Signal(0..frames-1).
  void addSignal(const std::string& name, size_t frames) {
    add(name, SimpleWav(1, 22050, 16, Pcm16(SignalFrames(frames, 1))));
  }
  sound::FileOpenFunc opener() {
    return [this](const std::string& name) -> std::unique_ptr<sound::SoundFile> {
      std::lock_guard lock(mutex_);
      auto it = files_.find(name);
      if (it == files_.end()) return nullptr;
      return std::make_unique<sound::MemorySoundFile>(it->second);
    };
  }

 private:
  std::mutex mutex_;
  std::map<std::string, std::vector<uint8_t>> files_;
};

template <typename Pred>
bool WaitFor(Pred pred, int ms = 2000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!pred()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// A stereo 22050 Hz mixer whose output the test pulls by hand.
class MixerTest : public ::testing::Test {
 protected:
  std::vector<int16_t> Pull(int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    output_.pull(out.data(), frames);
    return out;
  }
  platform::AudioMixer mixer_{{22050, 2}};
  platform::PulledAudioOutput output_{mixer_, {22050, 2}};
  FileStore files_;
  sound::QvSound engine_;
};

// An engine with 16 slots on that mixer, with in-memory files.
class EngineTest : public MixerTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(engine_.Init(&mixer_, 16), 1);
    engine_.SetFileOpenFunc(files_.opener());
  }
};

}  // namespace soundtest
