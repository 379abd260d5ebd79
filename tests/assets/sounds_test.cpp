// The generated sounds as the engine reads them: format, lengths, levels,
// clean ends, a seamless music loop, and a repeatable, quick generator.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "sound/snd_sample.h"
#include "support/memory_sound_file.h"
#include "support/scratch_dir.h"

namespace {

const std::string kSoundDir = PAV_DIST_DIR "/Verimoo/sounds/";

struct Cue {
  const char* file;
  double minSeconds, maxSeconds;
};

// The bull sounds must end within their animations; the rest are short cues.
const Cue kCues[] = {
    {"bell.wav", 0.5, 1.2},     {"hammer.wav", 0.2, 0.6},   {"negative.wav", 0.3, 0.8},
    {"pos.wav", 0.3, 0.8},      {"neutral.wav", 0.15, 0.5}, {"scdrop.wav", 0.4, 1.0},
    {"poschart.wav", 0.4, 0.9}, {"wrong.wav", 0.4, 0.9},    {"select2.wav", 0.05, 0.3},
    {"bling2.wav", 0.5, 1.2},   {"cheer3.wav", 1.5, 2.5},   {"bull01.wav", 0.8, 2.0},
    {"bull02.wav", 0.8, 2.0},   {"bull03.wav", 1.0, 2.6},   {"bull04.wav", 1.0, 2.6},
    {"bull05.wav", 0.6, 1.8},   {"bull06.wav", 1.5, 2.6},   {"music.wav", 40.0, 60.0},
};

struct Sound {
  int channels = 0;
  std::vector<double> samples;  // interleaved, in [-1, 1)
  double Seconds() const { return double(samples.size()) / channels / 22050; }
  double Peak() const {
    double p = 0;
    for (double v : samples) p = std::max(p, std::fabs(v));
    return p;
  }
  double Rms(size_t from, size_t to) const {
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += samples[i] * samples[i];
    return std::sqrt(sum / double(to - from));
  }
};

// Read by the engine's own WAV reader.
Sound Read(const std::string& name) {
  const std::string bytes = test_support::ScratchDir::ReadFile(kSoundDir + name);
  sound::MemorySoundFile file(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  sound::SNDSample sample;
  Sound s;
  if (!sample.IsWavFile(file)) {
    ADD_FAILURE() << name << " is not a WAV the engine reads";
    return s;
  }
  EXPECT_EQ(std::tuple(sample.m_nFrequency, sample.m_nBits, sample.m_nChannels),
            std::tuple(22050, 16, name == "music.wav" ? 2 : 1)) << name;
  s.channels = sample.m_nChannels;
  std::vector<int16_t> raw(sample.m_dwSize / 2);
  EXPECT_EQ(file.Read(raw.data(), raw.size() * 2), raw.size() * 2);
  for (int16_t v : raw) s.samples.push_back(v / 32768.0);
  return s;
}

double Db(double linear) { return 20.0 * std::log10(std::max(linear, 1e-9)); }

TEST(Sounds, EveryCueIsReadableOfItsLengthAudibleAndEndsCleanly) {
  for (const Cue& c : kCues) {
    SCOPED_TRACE(c.file);
    const Sound s = Read(c.file);
    ASSERT_GT(s.samples.size(), 1000u);
    EXPECT_TRUE(s.Seconds() >= c.minSeconds && s.Seconds() <= c.maxSeconds) << s.Seconds();
    const bool music = std::string(c.file) == "music.wav";
    // Cues overlap in play, so none may be near full scale, yet each must be
    // clearly audible; the music sits below them all along.
    EXPECT_GE(Db(s.Peak()), music ? -20.0 : -12.0);
    EXPECT_LE(Db(s.Peak()), music ? -0.01 : -3.0);
    if (music) {
      EXPECT_GE(Db(s.Rms(0, s.samples.size())), -20.0);
      EXPECT_LE(Db(s.Rms(0, s.samples.size())), -12.0);
    } else {
      // Starting or stopping away from zero would click.
      EXPECT_LE(std::fabs(s.samples.front()), 0.005);
      EXPECT_LE(std::fabs(s.samples.back()), 0.005);
    }
  }
}

// From the end back to the start there is no step and no change of level.
TEST(Sounds, MusicWrapsWithoutASeam) {
  const Sound s = Read("music.wav");
  ASSERT_GT(s.samples.size(), 10000u);
  const size_t n = s.samples.size();
  for (size_t c = 0; c < 2; ++c) {
    SCOPED_TRACE(c);
    std::vector<double> steps;
    for (size_t i = c + 2; i < n; i += 2) steps.push_back(std::fabs(s.samples[i] - s.samples[i - 2]));
    std::nth_element(steps.begin(), steps.begin() + long(steps.size() * 95 / 100), steps.end());
    EXPECT_LE(std::fabs(s.samples[c] - s.samples[n - 2 + c]), steps[steps.size() * 95 / 100]);
  }
  const double before = s.Rms(n - 4410, n), after = s.Rms(0, 4410);
  EXPECT_GT(after, 0.25 * before);
  EXPECT_GT(before, 0.25 * after);
}

#ifdef PAV_GEN_SOUNDS
// Run again: quickly, the same bytes as the installed files, nothing else written.
TEST(Sounds, GeneratorIsQuickAndRepeatable) {
  const test_support::ScratchDir base;
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(std::system(("\"" PAV_GEN_SOUNDS "\" \"" + base.path() + "\"").c_str()), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  for (const Cue& c : kCues) {
    const std::string fresh = base.read(c.file);
    EXPECT_TRUE(!fresh.empty() && fresh == base.ReadFile(kSoundDir + c.file)) << c.file << " differs";
  }
  EXPECT_EQ(size_t(std::distance(std::filesystem::directory_iterator(base.path()), {})), std::size(kCues));
}
#endif

}  // namespace
