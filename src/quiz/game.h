// The settings and bookkeeping every game of the family shares: the round
// state, the score, the players' best scores, the clock settings, and the
// per-frame update a game screen runs.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace quiz {

class Game {
 public:
  static constexpr int kBestsCount = 10;
  static constexpr std::size_t kBestsBytes = kBestsCount * 4;

  // bestsPath: the file ReadBests looks at (Windows style).
  explicit Game(std::string bestsPath = "hiscore.dat");
  virtual ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  virtual void Load();      // nothing
  virtual void Unload();    // nothing
  // Reads the players' best scores from the start of the bests file, as far
  // as the file holds them (the rest count as 0); best becomes the current
  // player's. A missing file gives best 0. Returns best.
  virtual int ReadBests();
  // Takes best as the current player's best score. The quiz's "hiscore.dat"
  // holds its high-score table, so the bests are kept in memory only and
  // never written over it; returns 0 (nothing written).
  virtual int WriteBests();
  // One frame; -1 here.
  virtual int Update();
  virtual int GetState() const;
  virtual void SetState(int state);
  virtual void SetScore(int points);
  virtual int GetScore() const;
  virtual void SetBest(int points);
  virtual void SetBonusSeconds(int seconds);
  virtual int GetBonusSeconds() const;
  virtual void SetTimeCap(int seconds);
  virtual int GetTimeCap() const;
  virtual void SetTimeLimit(int seconds);
  virtual int GetTimeLimit() const;
  virtual void SetPlayerIndex(int index);
  virtual int GetPlayerIndex() const;

  int GetBest() const { return best_; }
  int32_t Bests(int index) const { return ValidBestsIndex(index) ? bests_[std::size_t(index)] : 0; }
  static bool ValidBestsIndex(int index) { return index >= 0 && index < kBestsCount; }

 private:
  std::string bestsPath_;
  int state_ = 0;
  int score_ = 0;
  int best_ = 0;
  int playerIndex_ = 0;
  std::array<int32_t, kBestsCount> bests_{};
  int bonusSeconds_ = 0;
  int timeLimit_ = 0;
  int timeCap_ = 0;
};

}  // namespace quiz
