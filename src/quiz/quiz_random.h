// The quiz's random source: the runtime's classic generator of numbers 0 to
// 32767, owned by the game and seeded from the clock at start-up, or with a
// fixed seed by tests so that a game can be replayed.
#pragma once
#include <cstdint>

namespace quiz {

class QuizRandom {
 public:
  static constexpr int kMax = 32767;

  explicit QuizRandom(uint32_t seed = 1) : state_(seed) {}
  void Seed(uint32_t seed) { state_ = seed; }
  // The next number, 0 ... 32767.
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }

 private:
  uint32_t state_;
};

}  // namespace quiz
