// Synthesises every sound of the quiz into the directory given on the
// command line: the cues and bull voices (mono) and the music (stereo).
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "bull.h"
#include "effects.h"
#include "music.h"
#include "wav_file.h"

namespace {

struct Cue {
  const char* file;
  std::function<sfx::Mono()> make;
  double fade_in, fade_out;  // seconds: a click needs a sharp front, a ring a soft end
};

// Effects overlap in play (bell + chart + tick + bull + cheer), so each
// peaks at -6 dBFS. The fades make the first and last samples zero.
sfx::Mono Finish(sfx::Mono x, double fade_in, double fade_out) {
  sfx::FadeEnds(x, fade_in, fade_out);
  sfx::NormalisePeak(x, 0.5);
  return x;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <sounds directory>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (error) {
    std::fprintf(stderr, "cannot create %s: %s\n", dir.c_str(), error.message().c_str());
    return 1;
  }

  const Cue cues[] = {
      {"bell.wav", sfx::Bell, 0.001, 0.15},
      {"hammer.wav", sfx::Hammer, 0.001, 0.04},
      {"negative.wav", sfx::Negative, 0.003, 0.04},
      {"pos.wav", sfx::Positive, 0.002, 0.1},
      {"neutral.wav", sfx::Neutral, 0.002, 0.04},
      {"scdrop.wav", sfx::ScoreDrop, 0.003, 0.04},
      {"poschart.wav", sfx::PointsChart, 0.002, 0.1},
      {"wrong.wav", sfx::Buzzer, 0.003, 0.04},
      {"select2.wav", sfx::Tick, 0.0005, 0.04},
      {"bling2.wav", sfx::Bling, 0.002, 0.15},
      {"cheer3.wav", sfx::Cheer, 0.005, 0.04},
      {"bull01.wav", sfx::BullContent, 0.005, 0.04},
      {"bull02.wav", sfx::BullExcited, 0.005, 0.04},
      {"bull03.wav", sfx::BullDisapprove, 0.005, 0.04},
      {"bull04.wav", sfx::BullAngry, 0.005, 0.04},
      {"bull05.wav", sfx::BullPuzzled, 0.005, 0.04},
      {"bull06.wav", sfx::BullSad, 0.005, 0.04},
  };
  int failures = 0;
  for (const Cue& cue : cues) {
    const std::string path = (dir / cue.file).string();
    if (!sfx::WriteMonoWav(path, Finish(cue.make(), cue.fade_in, cue.fade_out))) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      ++failures;
    }
  }
  const std::string music = (dir / "music.wav").string();
  if (!sfx::WriteStereoWav(music, sfx::Music())) {
    std::fprintf(stderr, "cannot write %s\n", music.c_str());
    ++failures;
  }
  return failures == 0 ? 0 : 1;
}
