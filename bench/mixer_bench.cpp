// What mixing costs: one second of eight sound effects plus the music
// stream, pulled the way the audio device pulls it (1024 frames a time).
// Time per iteration over one second is the share of one core it takes.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include <SDL.h>

#include "platform/audio_mixer.h"
#include "platform/mix_bus.h"
#include "sound/qv_sound.h"
#include "sound/sound_file.h"
#include "support/memory_sound_file.h"
#include "support/qv_sound_probe.h"

namespace {

constexpr int kDeviceFrames = 1024;

std::vector<uint8_t> Tone(int frames, int channels, double hz, int rate) {
  std::vector<uint8_t> out;
  for (int i = 0; i < frames; ++i) {
    const auto v = static_cast<int16_t>(8000 * std::sin(2 * M_PI * hz * i / rate));
    for (int c = 0; c < channels; ++c) {
      out.push_back(static_cast<uint8_t>(v));
      out.push_back(static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8));
    }
  }
  return out;
}

void Write(platform::SoundBuffer& buffer, const std::vector<uint8_t>& bytes) {
  platform::LockedRegion region;
  buffer.lock(0, static_cast<uint32_t>(bytes.size()), region);
  std::copy(bytes.begin(), bytes.begin() + region.firstBytes, region.first);
  buffer.unlock(region);
}

void PullOneSecond(platform::AudioSource& source, int rate, std::vector<int16_t>& out) {
  for (int done = 0; done < rate; done += kDeviceFrames) {
    source.render(out.data(), std::min(kDeviceFrames, rate - done));
    benchmark::DoNotOptimize(out.data());
  }
}

// The mixer alone: eight looping 22050 Hz mono effects and a stereo ring
// with its nine notifications, resampled to the device rate.
void BM_MixerOneSecond(benchmark::State& state) {
  const int rate = static_cast<int>(state.range(0));
  platform::AudioMixer mixer({rate, 2});
  const uint32_t flags = platform::kBufferStatic | platform::kBufferCtrlPositionNotify;
  std::vector<std::unique_ptr<platform::SoundBuffer>> voices;
  for (int i = 0; i < 8; ++i) {
    const int frames = 22050 + 3000 * i;
    auto buffer = mixer.createBuffer({22050, 1, 16}, static_cast<uint32_t>(frames * 2), flags);
    Write(*buffer, Tone(frames, 1, 300 + 50 * i, 22050));
    buffer->play(true);
    voices.push_back(std::move(buffer));
  }
  const uint32_t chunk = 22052, ring = 8 * chunk;
  auto stream = mixer.createBuffer({22050, 2, 16}, ring, flags);
  Write(*stream, Tone(static_cast<int>(ring / 4), 2, 220, 22050));
  std::vector<platform::NotifyPosition> positions;
  std::vector<std::shared_ptr<platform::Event>> events;
  for (uint32_t i = 0; i <= 8; ++i) {
    events.push_back(std::make_shared<platform::Event>());
    positions.push_back({i < 8 ? i * chunk : platform::kNotifyAtStop, events.back()});
  }
  stream->setNotificationPositions(positions);
  stream->play(true);

  std::vector<int16_t> out(kDeviceFrames * 2);
  for (auto _ : state) PullOneSecond(mixer, rate, out);
  state.SetLabel("one second of audio per iteration");
}
BENCHMARK(BM_MixerOneSecond)->Arg(44100)->Arg(22050)->Arg(48000)->Unit(benchmark::kMicrosecond);

// The whole engine: eight cues started through QvSound (duplicates of two
// sounds) and the music streamed from a file by the fill thread.
void BM_EngineOneSecond(benchmark::State& state) {
  const int rate = 44100;
  platform::AudioMixer mixer({rate, 2});
  sound::QvSound engine;
  engine.Init(&mixer, 200);
  auto wav = [](const std::vector<uint8_t>& data, uint16_t channels) {
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0};
    auto put = [&out](uint32_t v, int bytes) {
      for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    put(1, 2);
    put(channels, 2);
    put(22050, 4);
    put(22050u * channels * 2, 4);
    put(channels * 2u, 2);
    put(16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put(static_cast<uint32_t>(data.size()), 4);
    out.insert(out.end(), data.begin(), data.end());
    return out;
  };
  const auto effect = wav(Tone(22050, 1, 440, 22050), 1);  // one second: eight fresh voices per pass
  const auto music = wav(Tone(22050 * 30, 2, 220, 22050), 2);
  engine.SetFileOpenFunc([&](const std::string& name) -> std::unique_ptr<sound::SoundFile> {
    return std::make_unique<sound::MemorySoundFile>(name == "music.wav" ? music : effect);
  });
  engine.LoadSample("a.wav", 10);
  engine.LoadSample("b.wav", 11);
  engine.LoadStream("music.wav", 0);
  engine.PlayStream(sound::kStreamLooping);

  std::vector<int16_t> out(kDeviceFrames * 2);
  for (auto _ : state) {
    state.PauseTiming();
    for (int i = 0; i < 8; ++i) engine.PlaySample(10 + i % 2, 0xFFFF, 0);
    state.ResumeTiming();
    PullOneSecond(mixer, rate, out);
    state.PauseTiming();
    sound::QvSoundProbe::WaitStreamSettled(engine, 1000);
    state.ResumeTiming();
  }
  state.counters["voices"] = mixer.playingCount();
  engine.Exit();
}
BENCHMARK(BM_EngineOneSecond)->Unit(benchmark::kMicrosecond);

// Converting one second of a 22050 Hz mix (tones at 1, 5 and 9.5 kHz) to
// 44100 Hz, 256 frames a time: our filter beside SDL's audio stream. The
// counter images_dB is the loudest mirror image (at 22050 Hz minus a
// tone) against its tone, from the last second converted.
std::vector<float> Tones(int frames) {
  std::vector<float> out;
  for (int i = 0; i < frames; ++i) {
    const double t = 2 * M_PI * i / 22050;
    const float v = float(6000 * (std::sin(1000 * t) + std::sin(5000 * t) + std::sin(9500 * t)));
    out.insert(out.end(), {v, v});
  }
  return out;
}

// Power at one frequency of the left channel (Goertzel, Hann window).
double PowerAt(const std::vector<float>& stereo, double hz, int rate) {
  const size_t n = stereo.size() / 2;
  const double w = 2 * std::cos(2 * M_PI * hz / rate);
  double s1 = 0, s2 = 0;
  for (size_t i = 0; i < n; ++i) {
    const double s = stereo[2 * i] * (0.5 - 0.5 * std::cos(2 * M_PI * double(i) / double(n))) + w * s1 - s2;
    s2 = s1;
    s1 = s;
  }
  return s1 * s1 + s2 * s2 - w * s1 * s2;
}

void ReportImages(benchmark::State& state, const std::vector<float>& out) {
  double worst = -400;
  for (double hz : {1000.0, 5000.0, 9500.0})
    worst = std::max(worst, 10 * std::log10(PowerAt(out, 22050 - hz, 44100) / PowerAt(out, hz, 44100)));
  state.counters["images_dB"] = worst;
}

void BM_RateConversionOwn(benchmark::State& state) {
  const std::vector<float> in = Tones(22050 + 1024);
  std::vector<float> out(2 * 44100);
  for (auto _ : state) {
    platform::Resampler resampler;
    resampler.configure(22050, 44100);
    size_t used = 0;
    for (int done = 0; done < 44100; done += 256) {
      const int n = std::min(256, 44100 - done);
      const int need = resampler.inputFor(n);
      resampler.run(&in[2 * used], need, &out[2 * size_t(done)], n);
      used += size_t(need);
    }
    benchmark::DoNotOptimize(out.data());
  }
  ReportImages(state, out);
}
BENCHMARK(BM_RateConversionOwn)->Unit(benchmark::kMicrosecond);

void BM_RateConversionSdlStream(benchmark::State& state) {
  const std::vector<float> in = Tones(22050 + 1024);
  std::vector<float> out(2 * 44100);
  for (auto _ : state) {
    SDL_AudioStream* stream = SDL_NewAudioStream(AUDIO_F32SYS, 2, 22050, AUDIO_F32SYS, 2, 44100);
    size_t used = 0;
    for (int done = 0; done < 44100;) {
      while (SDL_AudioStreamAvailable(stream) < int(256 * 2 * sizeof(float)) && used < 22050 + 1024) {
        SDL_AudioStreamPut(stream, &in[2 * used], int(128 * 2 * sizeof(float)));
        used += 128;
      }
      const int got = SDL_AudioStreamGet(stream, &out[2 * size_t(done)],
                                         int(std::min(256, 44100 - done) * 2 * sizeof(float)));
      if (got <= 0) break;
      done += got / int(2 * sizeof(float));
    }
    SDL_FreeAudioStream(stream);
    benchmark::DoNotOptimize(out.data());
  }
  ReportImages(state, out);
}
BENCHMARK(BM_RateConversionSdlStream)->Unit(benchmark::kMicrosecond);

}  // namespace
