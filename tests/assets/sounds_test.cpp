// Checks the generated sounds of the quiz: the plain PCM layout the sound
// engine can read, lengths that fit the bull animations, levels, clean
// ends, a music loop without a seam, and a few listening proxies (the bell
// rings at its pitch, the bull moos at a bull's pitch, the crowd swells).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::string kSoundDir = PAV_DIST_DIR "/Verimoo/sounds/";
constexpr uint32_t kRate = 22050;

struct Effect {
  const char* file;
  double min_seconds, max_seconds;
};

// The cues with the lengths they may have. The bull sounds must end within
// their animations (2.0, 2.0, 2.6, 2.6, 1.8 s); the rest are short cues.
const Effect kEffects[] = {
    {"bell.wav", 0.5, 1.2},     {"hammer.wav", 0.2, 0.6},   {"negative.wav", 0.3, 0.8},
    {"pos.wav", 0.3, 0.8},      {"neutral.wav", 0.15, 0.5}, {"scdrop.wav", 0.4, 1.0},
    {"poschart.wav", 0.4, 0.9}, {"wrong.wav", 0.4, 0.9},    {"select2.wav", 0.05, 0.3},
    {"bling2.wav", 0.5, 1.2},   {"cheer3.wav", 1.5, 2.5},   {"bull01.wav", 0.8, 2.0},
    {"bull02.wav", 0.8, 2.0},   {"bull03.wav", 1.0, 2.6},   {"bull04.wav", 1.0, 2.6},
    {"bull05.wav", 0.6, 1.8},   {"bull06.wav", 1.5, 2.6},
};
const char* const kMoos[] = {"bull01.wav", "bull02.wav", "bull03.wav",
                             "bull04.wav", "bull05.wav", "bull06.wav"};

struct Wav {
  std::vector<std::string> chunks;  // ids in file order
  uint32_t fmt_size = 0;
  uint16_t format = 0, channels = 0, block = 0, bits = 0;
  uint32_t rate = 0, byte_rate = 0;
  std::vector<int16_t> samples;  // interleaved
  std::string error;             // empty when the file parsed

  size_t Frames() const { return channels ? samples.size() / channels : 0; }
  double Seconds() const { return static_cast<double>(Frames()) / rate; }
  // One channel as values in [-1, 1).
  std::vector<double> Channel(int c) const {
    std::vector<double> out;
    for (size_t i = static_cast<size_t>(c); i < samples.size(); i += channels) out.push_back(samples[i] / 32768.0);
    return out;
  }
};

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<size_t>(i)];
  return v;
}

std::vector<uint8_t> Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Wav Fail(Wav w, std::string why) {
  w.error = std::move(why);
  return w;
}

// Strict reader: every size must agree with the file; any chunk is
// recorded so the test can insist on "fmt " and "data" only.
Wav Read(const std::string& name) {
  Wav w;
  if (!std::filesystem::is_regular_file(kSoundDir + name)) return Fail(std::move(w), "missing");
  const std::vector<uint8_t> b = Bytes(kSoundDir + name);
  if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0)
    return Fail(std::move(w), "not RIFF/WAVE");
  if (Le(b, 4, 4) != b.size() - 8) return Fail(std::move(w), "RIFF size disagrees with the file");
  size_t at = 12;
  while (at + 8 <= b.size()) {
    const std::string id(reinterpret_cast<const char*>(b.data() + at), 4);
    const uint32_t size = Le(b, at + 4, 4);
    at += 8;
    if (size > b.size() - at) return Fail(std::move(w), "chunk " + id + " runs past the end");
    w.chunks.push_back(id);
    if (id == "fmt " && size >= 16) {
      w.fmt_size = size;
      w.format = static_cast<uint16_t>(Le(b, at, 2));
      w.channels = static_cast<uint16_t>(Le(b, at + 2, 2));
      w.rate = Le(b, at + 4, 4);
      w.byte_rate = Le(b, at + 8, 4);
      w.block = static_cast<uint16_t>(Le(b, at + 12, 2));
      w.bits = static_cast<uint16_t>(Le(b, at + 14, 2));
    } else if (id == "data") {
      if (size % 2 != 0) return Fail(std::move(w), "odd data size");
      for (size_t i = 0; i + 1 < size; i += 2) w.samples.push_back(static_cast<int16_t>(Le(b, at + i, 2)));
      if (w.block == 0 || size % w.block != 0) return Fail(std::move(w), "data is not whole blocks");
    }
    at += size;
  }
  if (at != b.size()) return Fail(std::move(w), "trailing bytes after the last chunk");
  return w;
}

double Db(double linear) { return 20.0 * std::log10(std::max(linear, 1e-9)); }

double PeakOf(const std::vector<double>& x) {
  double p = 0;
  for (double v : x) p = std::max(p, std::fabs(v));
  return p;
}

double RmsOf(const std::vector<double>& x, size_t from, size_t to) {
  to = std::min(to, x.size());
  if (from >= to) return 0;
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += x[i] * x[i];
  return std::sqrt(sum / static_cast<double>(to - from));
}

// Magnitude of one frequency over a stretch (Goertzel).
double Magnitude(const std::vector<double>& x, size_t from, size_t to, double hz) {
  const double k = 2.0 * std::cos(2.0 * M_PI * hz / kRate);
  double s1 = 0, s2 = 0;
  for (size_t i = from; i < std::min(to, x.size()); ++i) {
    const double s = x[i] + k * s1 - s2;
    s2 = s1;
    s1 = s;
  }
  return std::sqrt(std::max(0.0, s1 * s1 + s2 * s2 - k * s1 * s2));
}

// Pitch of each clearly periodic window (normalised autocorrelation over
// 60-1000 Hz). The shortest lag that comes close to the best one wins, so
// a strong second harmonic is not mistaken for the fundamental and
// neither is the second period.
std::vector<double> PitchTrack(const std::vector<double>& x) {
  constexpr size_t kWindow = 1024, kHop = 1024;
  const size_t min_lag = kRate / 1000, max_lag = kRate / 60;
  double loudest = 0;
  for (size_t at = 0; at + kWindow + max_lag <= x.size(); at += kHop)
    loudest = std::max(loudest, RmsOf(x, at, at + kWindow));
  std::vector<double> pitches;
  for (size_t at = 0; at + kWindow + max_lag <= x.size(); at += kHop) {
    if (RmsOf(x, at, at + kWindow) < 0.25 * loudest) continue;
    std::vector<double> r(max_lag + 1, 0.0);
    for (size_t lag = min_lag; lag <= max_lag; ++lag) {
      double xy = 0, xx = 0, yy = 0;
      for (size_t i = at; i < at + kWindow; ++i) {
        xy += x[i] * x[i + lag];
        xx += x[i] * x[i];
        yy += x[i + lag] * x[i + lag];
      }
      r[lag] = xy / std::sqrt(std::max(xx * yy, 1e-12));
    }
    const double best = *std::max_element(r.begin() + static_cast<long>(min_lag), r.end());
    if (best < 0.6) continue;  // noise, a snort or a stamp
    for (size_t lag = min_lag + 1; lag < max_lag; ++lag) {
      if (r[lag] >= 0.9 * best && r[lag] >= r[lag - 1] && r[lag] >= r[lag + 1]) {
        pitches.push_back(static_cast<double>(kRate) / static_cast<double>(lag));
        break;
      }
    }
  }
  return pitches;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
  return v[v.size() / 2];
}

TEST(QuizSounds, EveryFileIsPlainPcmWithOnlyFmtAndData) {
  std::vector<std::string> files = {"music.wav"};
  for (const Effect& e : kEffects) files.push_back(e.file);
  for (const std::string& name : files) {
    SCOPED_TRACE(name);
    const Wav w = Read(name);
    ASSERT_EQ(w.error, "");
    EXPECT_EQ(w.chunks, (std::vector<std::string>{"fmt ", "data"}));
    EXPECT_EQ(w.fmt_size, 16u);
    EXPECT_EQ(w.format, 1);
    EXPECT_EQ(w.rate, kRate);
    EXPECT_EQ(w.bits, 16);
    EXPECT_EQ(w.channels, name == "music.wav" ? 2 : 1);
    EXPECT_EQ(w.block, w.channels * 2);
    EXPECT_EQ(w.byte_rate, w.rate * w.block);
    EXPECT_GT(w.Frames(), 0u);
  }
}

TEST(QuizSounds, EffectsFitTheirTimeAndLevelAndEndCleanly) {
  for (const Effect& e : kEffects) {
    SCOPED_TRACE(e.file);
    const Wav w = Read(e.file);
    ASSERT_EQ(w.error, "");
    ASSERT_EQ(w.channels, 1);
    EXPECT_GE(w.Seconds(), e.min_seconds);
    EXPECT_LE(w.Seconds(), e.max_seconds);
    const std::vector<double> x = w.Channel(0);
    // Cues overlap in play, so none may be near full scale, yet each must
    // be clearly audible.
    EXPECT_GE(Db(PeakOf(x)), -12.0);
    EXPECT_LE(Db(PeakOf(x)), -3.0);
    // Starting or stopping away from zero would click.
    EXPECT_LE(std::fabs(x.front()), 0.005);
    EXPECT_LE(std::fabs(x.back()), 0.005);
  }
}

TEST(QuizMusic, IsALongStereoLoopMixedBelowTheCues) {
  const Wav w = Read("music.wav");
  ASSERT_EQ(w.error, "");
  ASSERT_EQ(w.channels, 2);
  EXPECT_GE(w.Seconds(), 40.0);
  EXPECT_LE(w.Seconds(), 60.0);
  // Longer than the 2-second ring it is streamed through.
  EXPECT_GT(w.samples.size() * 2, 8u * 22052u);
  for (int c = 0; c < 2; ++c) {
    SCOPED_TRACE(c);
    const std::vector<double> x = w.Channel(c);
    const double rms = Db(RmsOf(x, 0, x.size()));
    EXPECT_GE(rms, -20.0);
    EXPECT_LE(rms, -12.0);
    EXPECT_LT(PeakOf(x), 0.999) << "clipped";
  }
}

TEST(QuizMusic, WrapsFromTheEndToTheStartWithoutASeam) {
  const Wav w = Read("music.wav");
  ASSERT_EQ(w.error, "");
  ASSERT_EQ(w.channels, 2);
  for (int c = 0; c < 2; ++c) {
    SCOPED_TRACE(c);
    const std::vector<double> x = w.Channel(c);
    ASSERT_GT(x.size(), 1000u);
    std::vector<double> steps;
    for (size_t i = 1; i < x.size(); ++i) steps.push_back(std::fabs(x[i] - x[i - 1]));
    std::nth_element(steps.begin(), steps.begin() + static_cast<long>(steps.size() * 95 / 100), steps.end());
    const double typical = steps[steps.size() * 95 / 100];
    EXPECT_LE(std::fabs(x.front() - x.back()), typical);
    // The start carries on where the end left off: the level just before
    // the wrap and just after it are alike (no tail cut off, no gap).
    const double before = RmsOf(x, x.size() - 2205, x.size());
    const double after = RmsOf(x, 0, 2205);
    EXPECT_GT(after, 0.25 * before);
    EXPECT_GT(before, 0.25 * after);
  }
}

TEST(QuizSoundsHeard, BellRingsAtItsFundamentalAndDiesAway) {
  const Wav w = Read("bell.wav");
  ASSERT_EQ(w.error, "");
  const std::vector<double> x = w.Channel(0);
  const size_t window = kRate / 10;
  double best_hz = 0, best = 0;
  for (double hz = 200; hz <= 4000; hz += 5) {
    const double m = Magnitude(x, 0, window, hz);
    if (m > best) best = m, best_hz = hz;
  }
  // A bright ding: the strongest partial is the fundamental, in the
  // upper middle of the keyboard, and nothing below it is as strong.
  EXPECT_GE(best_hz, 500.0);
  EXPECT_LE(best_hz, 2000.0);
  for (double hz = 200; hz < best_hz * 0.9; hz += 5) EXPECT_LT(Magnitude(x, 0, window, hz), 0.5 * best) << hz;
  // Struck, then ringing out.
  const double head = RmsOf(x, 0, kRate / 5), tail = RmsOf(x, x.size() - kRate / 5, x.size());
  EXPECT_LT(tail, head / 4);
}

TEST(QuizSoundsHeard, TheBullMoosAtABullsPitch) {
  std::vector<std::vector<double>> tracks;
  for (const char* name : kMoos) {
    SCOPED_TRACE(name);
    const Wav w = Read(name);
    ASSERT_EQ(w.error, "");
    tracks.push_back(PitchTrack(w.Channel(0)));
    const std::vector<double>& pitches = tracks.back();
    // Several windows of clear voice, a low voice at that.
    ASSERT_GE(pitches.size(), 4u);
    EXPECT_GE(Median(pitches), 80.0);
    EXPECT_LE(Median(pitches), 250.0);
  }
  // The excited moo (bull02) climbs; the sad one (bull06) sinks.
  const std::vector<double>& excited = tracks[1];
  EXPECT_GT(excited[excited.size() - 2], 1.2 * excited[1]);
  const std::vector<double>& sad = tracks[5];
  EXPECT_LT(sad[sad.size() - 2], 0.95 * sad[1]);
}

TEST(QuizSoundsHeard, TheCrowdSwellsAcrossTheWholeRange) {
  const Wav w = Read("cheer3.wav");
  ASSERT_EQ(w.error, "");
  const std::vector<double> x = w.Channel(0);
  const size_t tenth = kRate / 10;
  const double start = RmsOf(x, 0, tenth), middle = RmsOf(x, x.size() / 2 - tenth, x.size() / 2 + tenth);
  const double end = RmsOf(x, x.size() - tenth, x.size());
  EXPECT_GT(middle, 2 * start);
  EXPECT_GT(middle, 2 * end);
  // Voices and claps, not a tone: energy low, middle and high.
  const size_t from = x.size() / 2 - tenth, to = x.size() / 2 + tenth;
  double low = 0, mid = 0, high = 0;
  for (double hz = 150; hz < 600; hz += 10) low += Magnitude(x, from, to, hz);
  for (double hz = 600; hz < 2500; hz += 10) mid += Magnitude(x, from, to, hz);
  for (double hz = 2500; hz < 8000; hz += 10) high += Magnitude(x, from, to, hz);
  const double total = low + mid + high;
  EXPECT_GT(low / total, 0.05);
  EXPECT_GT(mid / total, 0.05);
  EXPECT_GT(high / total, 0.05);
}

// The generator is run again here (when the build tells where it is),
// twice: it must be quick, and the same source must give the same bytes
// each time, equal to the installed files. The faster run counts, so a
// busy machine does not fail the check.
TEST(QuizSoundsGenerator, IsQuickAndRepeatable) {
#ifndef PAV_GEN_SOUNDS
  GTEST_SKIP() << "the build does not name the sound generator";
#else
  std::vector<std::string> files = {"music.wav"};
  for (const Effect& e : kEffects) files.push_back(e.file);
  const std::filesystem::path base =
      std::filesystem::temp_directory_path() /
      ("pav_sounds_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  long fastest_ms = 0;
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    const std::filesystem::path dir = base / std::to_string(run);
    const std::string command = std::string("\"") + PAV_GEN_SOUNDS + "\" \"" + dir.string() + "\"";
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(std::system(command.c_str()), 0);
    const long ms = static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
    fastest_ms = run == 0 ? ms : std::min(fastest_ms, ms);
    for (const std::string& name : files) {
      SCOPED_TRACE(name);
      const std::vector<uint8_t> fresh = Bytes(dir / name);
      EXPECT_FALSE(fresh.empty());
      EXPECT_TRUE(fresh == Bytes(kSoundDir + name)) << "differs from the installed file";
    }
    // Only the expected files are written.
    EXPECT_EQ(static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir), {})), files.size());
  }
  EXPECT_LT(fastest_ms, 5000);
  std::filesystem::remove_all(base);
#endif
}

}  // namespace
