#include "platform/sdl/sdl_audio.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

namespace platform {
namespace {

// What SDL's audio thread reaches through its user data. It outlives the
// output when closing the device is slow, and is cut from the source
// first, so the source can go away as soon as the output is destroyed.
struct Gate {
  std::mutex mutex;
  AudioSource* source = nullptr;
  int channels = 2;
};

void Pull(void* userdata, Uint8* stream, int len) {
  auto* gate = static_cast<Gate*>(userdata);
  std::lock_guard lock(gate->mutex);
  const int frames = len / static_cast<int>(sizeof(int16_t)) / gate->channels;
  if (gate->source && frames > 0) {
    gate->source->render(reinterpret_cast<int16_t*>(stream), frames);
  } else {
    std::memset(stream, 0, static_cast<size_t>(len));
  }
}

constexpr auto kCloseLimit = std::chrono::seconds(2);

class SdlAudioOutput : public AudioOutput {
 public:
  SdlAudioOutput(std::shared_ptr<Gate> gate, SDL_AudioDeviceID device, AudioFormat format)
      : gate_(std::move(gate)), device_(device), format_(format) {}

  ~SdlAudioOutput() override {
    {
      std::lock_guard lock(gate_->mutex);
      gate_->source = nullptr;
    }
    // Closing waits for SDL's audio thread; a device that hangs must not
    // hang the program, so the close runs aside and is waited for a while.
    struct Closing {
      std::mutex mutex;
      std::condition_variable done;
      bool closed = false;
    };
    auto closing = std::make_shared<Closing>();
    std::thread closer([closing, gate = gate_, device = device_] {
      SDL_CloseAudioDevice(device);
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      std::lock_guard lock(closing->mutex);
      closing->closed = true;
      closing->done.notify_all();
    });
    std::unique_lock lock(closing->mutex);
    if (closing->done.wait_for(lock, kCloseLimit, [&] { return closing->closed; })) {
      lock.unlock();
      closer.join();
    } else {
      lock.unlock();
      std::fprintf(stderr, "audio device did not close in time; left behind\n");
      closer.detach();
    }
  }

  AudioFormat format() const override { return format_; }

 private:
  std::shared_ptr<Gate> gate_;
  SDL_AudioDeviceID device_;
  AudioFormat format_;
};

}  // namespace

std::unique_ptr<AudioOutput> OpenSdlAudio(AudioSource& source, const AudioFormat& wanted) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "no audio: %s\n", SDL_GetError());
    return nullptr;
  }
  auto gate = std::make_shared<Gate>();
  gate->source = &source;
  gate->channels = wanted.channels > 0 ? wanted.channels : 2;

  SDL_AudioSpec want{};
  want.freq = wanted.rate > 0 ? wanted.rate : 44100;
  want.format = AUDIO_S16SYS;
  want.channels = static_cast<Uint8>(gate->channels);
  want.samples = 1024;
  want.callback = Pull;
  want.userdata = gate.get();
  SDL_AudioSpec have{};
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device == 0) {
    std::fprintf(stderr, "no audio device: %s\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  auto output = std::make_unique<SdlAudioOutput>(gate, device, AudioFormat{have.freq, have.channels});
  SDL_PauseAudioDevice(device, 0);
  return output;
}

}  // namespace platform
