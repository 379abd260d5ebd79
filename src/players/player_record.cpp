#include "players/player_record.h"

namespace players {

std::string PlayerRecord::Cut(std::string_view text, std::size_t fieldSize) {
  if (fieldSize == 0) return {};
  return std::string(text.substr(0, fieldSize - 1));
}

void PlayerRecord::Fit() {
  name = Cut(name, kTextField);
  address = Cut(address, kTextField);
  email = Cut(email, kTextField);
  send = Cut(send, kSendField);
}

}  // namespace players
