// One player of the roster as the options file keeps it: four texts, each
// bounded by the field it is read into and written from.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace players {

struct PlayerRecord {
  // Field sizes in bytes, terminator included: a text holds one less.
  static constexpr std::size_t kTextField = 64;  // name, address, e-mail
  static constexpr std::size_t kSendField = 2;   // the one-character send flag

  std::string name;
  std::string address;
  std::string email;
  std::string send;

  // Cuts every text to what its field holds.
  void Fit();
  // The first size - 1 characters of text (none for a size of 0).
  static std::string Cut(std::string_view text, std::size_t fieldSize);

  bool operator==(const PlayerRecord&) const = default;
};

}  // namespace players
