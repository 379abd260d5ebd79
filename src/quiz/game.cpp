#include "quiz/game.h"

#include <fstream>

#include "platform/little_endian.h"
#include "platform/save_location.h"

namespace quiz {

Game::Game(std::string bestsPath) : bestsPath_(std::move(bestsPath)) {}

Game::~Game() = default;

void Game::Load() {}
void Game::Unload() {}

int Game::ReadBests() {
  std::ifstream in;
  for (const std::string& file : platform::LocateSave(bestsPath_).ReadOrder()) {
    in.open(file, std::ios::binary);
    if (in) break;
  }
  if (!in) {
    best_ = 0;
    return 0;
  }
  // A file shorter than the ten values gives only what it holds.
  uint8_t bytes[kBestsBytes] = {};
  in.read(reinterpret_cast<char*>(bytes), sizeof bytes);
  for (int i = 0; i < kBestsCount; ++i) {
    const uint8_t* b = bytes + 4 * i;
    bests_[std::size_t(i)] = int32_t(platform::ReadLe32(b));
  }
  best_ = Bests(playerIndex_);
  return best_;
}

int Game::WriteBests() {
  if (ValidBestsIndex(playerIndex_)) bests_[std::size_t(playerIndex_)] = best_;
  return 0;
}

int Game::Update() { return -1; }
int Game::GetState() const { return state_; }
void Game::SetState(int state) { state_ = state; }
void Game::SetScore(int points) { score_ = points; }
int Game::GetScore() const { return score_; }
void Game::SetBest(int points) { best_ = points; }
void Game::SetBonusSeconds(int seconds) { bonusSeconds_ = seconds; }
int Game::GetBonusSeconds() const { return bonusSeconds_; }
void Game::SetTimeCap(int seconds) { timeCap_ = seconds; }
int Game::GetTimeCap() const { return timeCap_; }
void Game::SetTimeLimit(int seconds) { timeLimit_ = seconds; }
int Game::GetTimeLimit() const { return timeLimit_; }
void Game::SetPlayerIndex(int index) { playerIndex_ = index; }
int Game::GetPlayerIndex() const { return playerIndex_; }

}  // namespace quiz
