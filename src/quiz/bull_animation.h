// The bull's reactions: eight lists of frame entries, read one per step.
// An entry k >= 1 shows bull frame k - 1, 0 ends the list (the last frame
// stays) and -1 starts the list again.
#pragma once
#include <span>

namespace quiz {

class BullAnimation {
 public:
  static constexpr int kCount = 8;
  static constexpr int kRightAnswer = 0;
  static constexpr int kTopRungAnswer = 1;
  static constexpr int kWrongAnswer = 3;
  static constexpr int kWrongAfterTwo = 4;
  static constexpr int kPass = 5;
  static constexpr int kGameOver = 6;
  static constexpr int kIdle = 7;
  // What Step gives when no frame is to be drawn.
  static constexpr int kNoFrame = -1;

  static std::span<const int> Entries(int number);
  // The cue that starts with the animation; none for the idle one.
  static const char* Sound(int number);

  // Makes number current from its first entry; false (nothing changed) for
  // a number outside 0 ... 7.
  bool Start(int number);
  // One step: the bull frame to draw, or kNoFrame at an end entry.
  int Step();

  int Number() const { return number_; }
  int StepIndex() const { return step_; }

 private:
  int number_ = kIdle;
  int step_ = 0;
};

}  // namespace quiz
