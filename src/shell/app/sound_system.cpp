#include "shell/app/sound_system.h"

#include "platform/audio_mixer.h"
#include "platform/backend.h"
#include "sound/qv_sound.h"
#include "sound/sound_bank.h"

namespace shell {

namespace {
constexpr platform::AudioFormat kWantedOutput{44100, 2};
constexpr int kMusicStreamId = 0;
constexpr int kStreamVolume = 0x7FFF;
constexpr int kLooping = 4;
constexpr unsigned long kFadeInMs = 300;
}  // namespace

SoundSystem::SoundSystem(platform::Backend& backend)
    : backend_(backend),
      mixer_(std::make_unique<platform::AudioMixer>(kWantedOutput)),
      engine_(std::make_unique<sound::QvSound>()),
      bank_(std::make_unique<sound::SoundBank>(*engine_)) {}

SoundSystem::~SoundSystem() { Shutdown(); }

int SoundSystem::Init(int slots) {
  output_ = backend_.openAudio(*mixer_, kWantedOutput);
  if (output_) mixer_->setOutputFormat(output_->format());
  // Without a device nobody would ever pull the mix: the engine stays off.
  return bank_->Init(output_ ? mixer_.get() : nullptr, slots);
}

void SoundSystem::StartMusic(const std::string& path) {
  sound::QvSound& engine = *engine_;
  if (!engine.LoadStream(path, kMusicStreamId)) return;
  engine.SetStreamVolume(kStreamVolume);
  engine.PlayStream(kLooping);
  engine.FadeMusicIn(kFadeInMs);
}

void SoundSystem::Shutdown() {
  bank_->Shutdown();
  output_.reset();
}

}  // namespace shell
