#include "quiz/cue_player.h"

#include "sound/sound_bank.h"

namespace quiz {

sound::SNDSample* CuePlayer::Play(const std::string& name, long volume, long pan) {
  sound::SNDSample* sample = bank_.Play(name, volume, pan);
  if (observer_) observer_(name, volume, pan, sample);
  return sample;
}

}  // namespace quiz
