// The real SDL audio path, heard through SDL's disk driver: the mix is
// written to a raw file at the device's pace.
#include "platform/sdl/sdl_audio.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "sound/sound_bank.h"
#include "sound_test_support.h"
#include "support/scratch_dir.h"

namespace {

using soundtest::Pcm16;

TEST(SdlAudio, TheDiskDriverReceivesTheMixAtTheDevicePace) {
  const test_support::ScratchDir dir;
  const std::string path = dir.file("disk_audio.raw");
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);

  platform::AudioMixer mixer({44100, 2});
  auto output = platform::OpenSdlAudio(mixer, {44100, 2});
  if (!output) GTEST_SKIP() << "SDL's disk audio driver is not available";
  EXPECT_EQ(std::pair(output->format().rate, output->format().channels), std::pair(44100, 2));

  soundtest::FileStore files;
  files.add("sounds\\tone.wav", soundtest::SimpleWav(1, 22050, 16, Pcm16(soundtest::SignalFrames(11025, 1))));
  files.add(".\\sounds\\music.wav", soundtest::SimpleWav(2, 22050, 16, Pcm16(soundtest::SignalFrames(66150, 2))));
  sound::QvSound engine;
  sound::SoundBank bank(engine);
  ASSERT_EQ(bank.Init(&mixer, 200), 1);
  engine.SetFileOpenFunc(files.opener());
  ASSERT_NE(bank.Load("sounds\\tone.wav", "tone"), nullptr);
  ASSERT_EQ(engine.LoadStream(".\\sounds\\music.wav", 0), 1);
  ASSERT_EQ(engine.PlayStream(sound::kStreamLooping), 1);
  engine.FadeMusicIn(300);
  ASSERT_NE(bank.Play("tone", 0xFFFF, 0), nullptr);
  std::this_thread::sleep_for(std::chrono::milliseconds(1700));  // two seconds with the fade
  bank.Shutdown();
  output.reset();

  const std::string bytes = dir.read("disk_audio.raw");
  const double seconds = static_cast<double>(bytes.size()) / (44100 * 4);
  EXPECT_TRUE(seconds > 1.5 && seconds < 4.0) << seconds;
  int64_t loud = 0;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    int16_t v;
    std::memcpy(&v, bytes.data() + i, 2);
    loud += (v > 3000 || v < -3000);
  }
  EXPECT_GT(loud, 44100);
}

}  // namespace
