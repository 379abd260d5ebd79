// The quiz's way to its sound cues: every cue goes through the sound bank
// by name, and whoever watches the game (a test, a diagnostic) can be told
// of each one as it is played.
#pragma once
#include <functional>
#include <string>

namespace sound { class SoundBank; class SNDSample; }

namespace quiz {

class CuePlayer {
 public:
  // The cue's name, its volume and pan, and the sample the bank played
  // (none when the cue is missing from the bank).
  using Observer = std::function<void(const std::string& name, long volume, long pan,
                                      sound::SNDSample* sample)>;

  explicit CuePlayer(sound::SoundBank& bank) : bank_(bank) {}

  sound::SNDSample* Play(const std::string& name, long volume, long pan);
  void SetObserver(Observer observer) { observer_ = std::move(observer); }

 private:
  sound::SoundBank& bank_;
  Observer observer_;
};

}  // namespace quiz
