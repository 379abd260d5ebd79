// Named sound cues over the engine: game code loads a file under a name
// and plays it by that name; the engine's ids are given out from 10 on.
#pragma once
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/audio_mixer.h"
#include "sound/qv_sound.h"

namespace sound {

inline constexpr uint32_t kFirstCueID = 10;
inline constexpr size_t kCueNameSize = 32;

struct SoundCue {
  uint32_t id = 0;
  char name[kCueNameSize] = {};  // at most 31 characters, NUL-terminated
};

class SoundBank {
 public:
  explicit SoundBank(QvSound& engine) : engine_(engine) {}

  // Makes the empty cue list and starts the engine; the engine's result.
  int Init(platform::AudioMixer* mixer, int slots);
  // The new cue, or none when the file could not be loaded.
  SoundCue* Load(std::string_view path, std::string_view name);
  // The first cue of that name (exact, case-sensitive).
  SoundCue* Find(std::string_view name);
  // The sample that plays, or none for an unknown name.
  SNDSample* Play(std::string_view name, long volume, long pan);
  SNDSample* PlayIndex(size_t index, long volume, long pan);
  // Frees every cue's sound and stops the music; the engine keeps running.
  void FreeAll();
  // FreeAll, drop the list, end the engine.
  void Shutdown();
  void EnableMusic(int on) { engine_.EnableMusic(on); }
  void EnableSFX(int on) { engine_.EnableSFX(on); }

  size_t CueCount() const { return cues_ ? cues_->size() : 0; }
  bool HasList() const { return cues_ != nullptr; }
  QvSound& Engine() { return engine_; }

 private:
  QvSound& engine_;
  std::unique_ptr<std::vector<std::unique_ptr<SoundCue>>> cues_;
};

}  // namespace sound
