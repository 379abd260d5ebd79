// The audio device, the mixer it pulls from, the sound engine and the cue
// table, made and ended together. A machine without a sound device gets an
// engine that failed to start, so everything runs silent.
#pragma once
#include <memory>
#include <string>

namespace platform { class Backend; class AudioMixer; class AudioOutput; }
namespace sound { class QvSound; class SoundBank; }

namespace shell {

class SoundSystem {
 public:
  explicit SoundSystem(platform::Backend& backend);
  ~SoundSystem();
  SoundSystem(const SoundSystem&) = delete;
  SoundSystem& operator=(const SoundSystem&) = delete;

  // Opens the device and starts the engine with that many sample slots;
  // the engine's result (0 when there is no device).
  int Init(int slots);
  // The quiz's music: loaded as a stream, started looping and faded in.
  void StartMusic(const std::string& path);
  // Stops the music and every sound, ends the engine, closes the device.
  void Shutdown();

  sound::SoundBank& Bank() { return *bank_; }
  sound::QvSound& Engine() { return *engine_; }

 private:
  platform::Backend& backend_;
  std::unique_ptr<platform::AudioMixer> mixer_;
  std::unique_ptr<sound::QvSound> engine_;
  std::unique_ptr<sound::SoundBank> bank_;
  std::unique_ptr<platform::AudioOutput> output_;
};

}  // namespace shell
