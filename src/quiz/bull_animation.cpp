#include "quiz/bull_animation.h"

#include <array>
#include <cstddef>

namespace quiz {
namespace {

constexpr int kRight[] = {4, 5, 6, 4, 5, 6, 4, 5, 6, 4, 0};
constexpr int kTopRung[] = {4, 5, 7, 6, 7, 6, 7, 6, 5, 4, 0};
constexpr int kWrong[] = {12, 1, 13, 1, 12, 1, 13, 1, 2, 3, 3, 3, 2, 0};
constexpr int kWrongAfterTwo[] = {12, 1, 13, 1, 12, 1, 13, 1, 8, 9, 9, 9, 8, 0};
constexpr int kPass[] = {11, 14, 11, 15, 11, 14, 11, 15, 11, 0};
constexpr int kGameOver[] = {16, 0};
constexpr int kIdle[] = {2,  2,  1, 1, 2,  2,  1,  1, 2,  2,  1,  1, 11, 11, 1, 1,  10, 10, 1, 1,
                         11, 11, 1, 1, 10, 10, 1,  1, 13, 13, 13, 1, 1,  12, 12, 12, 1, 1, -1};

constexpr std::array<std::span<const int>, BullAnimation::kCount> kLists = {
    kRight, kTopRung, kWrong, kWrong, kWrongAfterTwo, kPass, kGameOver, kIdle};
constexpr std::array<const char*, BullAnimation::kCount> kSounds = {
    "bull01", "bull02", "bull03", "bull03", "bull04", "bull05", "bull06", nullptr};

bool Valid(int number) { return number >= 0 && number < BullAnimation::kCount; }

}  // namespace

std::span<const int> BullAnimation::Entries(int number) {
  return Valid(number) ? kLists[std::size_t(number)] : std::span<const int>{};
}

const char* BullAnimation::Sound(int number) {
  return Valid(number) ? kSounds[std::size_t(number)] : nullptr;
}

bool BullAnimation::Start(int number) {
  if (!Valid(number)) return false;
  number_ = number;
  step_ = 0;
  return true;
}

int BullAnimation::Step() {
  const std::span<const int> list = Entries(number_);
  if (list.empty()) return kNoFrame;
  // Every list ends in 0 or -1, so the index never leaves it.
  int entry = list[std::size_t(step_)];
  if (entry == -1) {
    step_ = 0;
    entry = list[0];
  }
  if (entry != 0) ++step_;
  return entry >= 1 ? entry - 1 : kNoFrame;
}

}  // namespace quiz
