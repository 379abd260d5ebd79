#include "sound/sound_bank.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace sound {

int SoundBank::Init(platform::AudioMixer* mixer, int slots) {
  cues_ = std::make_unique<std::vector<std::unique_ptr<SoundCue>>>();
  cues_->reserve(1);
  return engine_.Init(mixer, slots);
}

SoundCue* SoundBank::Load(std::string_view path, std::string_view name) {
  if (!cues_) return nullptr;
  const auto id = static_cast<uint32_t>(cues_->size() + kFirstCueID);
  if (!engine_.LoadSample(std::string(path), id)) return nullptr;
  auto cue = std::make_unique<SoundCue>();
  cue->id = id;
  const size_t n = std::min(name.size(), kCueNameSize - 1);
  std::memcpy(cue->name, name.data(), n);
  cue->name[n] = '\0';
  cues_->push_back(std::move(cue));
  return cues_->back().get();
}

SoundCue* SoundBank::Find(std::string_view name) {
  if (!cues_) return nullptr;
  for (const auto& cue : *cues_)
    if (name == std::string_view(cue->name)) return cue.get();
  return nullptr;
}

SNDSample* SoundBank::Play(std::string_view name, long volume, long pan) {
  const SoundCue* cue = Find(name);
  return cue ? engine_.PlaySample(cue->id, volume, pan) : nullptr;
}

SNDSample* SoundBank::PlayIndex(size_t index, long volume, long pan) {
  if (!cues_ || index >= cues_->size()) return nullptr;
  return engine_.PlaySample((*cues_)[index]->id, volume, pan);
}

void SoundBank::FreeAll() {
  if (cues_) {
    for (const auto& cue : *cues_) engine_.FreeSample(cue->id);
    cues_->clear();
  }
  engine_.StopStream();
  engine_.ClearSampleList();
}

void SoundBank::Shutdown() {
  if (cues_) {
    FreeAll();
    cues_.reset();
  }
  engine_.Exit();
}

}  // namespace sound
