#include "players/player_roster.h"

#include <cctype>
#include <climits>

#include "platform/profile.h"

namespace players {
namespace {

constexpr const char* kSetupSection = "setup";
constexpr const char* kIndexKey = "playerid";

}  // namespace

int ParseDecimal(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulated as a negative number so that INT_MIN itself fits.
  long long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 - (text[i] - '0');
    if (value < INT_MIN) {
      value = INT_MIN;
      break;
    }
  }
  if (!negative) value = value < -static_cast<long long>(INT_MAX) ? INT_MAX : -value;
  return static_cast<int>(value);
}

std::string PlayerRoster::SectionName(int index) { return "Player" + std::to_string(index + 1); }

int PlayerRoster::ReadCurrentIndex() {
  int index = 0;
  if (!path_.empty()) {
    index = ParseDecimal(platform::GetProfileString(kSetupSection, kIndexKey, "0", path_, kIndexField));
  }
  current_ = ValidIndex(index) ? index : 0;
  return current_;
}

void PlayerRoster::WriteCurrentIndex(int index) {
  if (path_.empty()) return;
  current_ = ValidIndex(index) ? index : 0;
  platform::WriteProfileString(kSetupSection, kIndexKey, std::to_string(current_), path_);
}

bool PlayerRoster::LoadPlayer(int index) {
  if (path_.empty() || !ValidIndex(index)) return false;
  const std::string section = SectionName(index);
  PlayerRecord& p = players_[index];
  p.name = platform::GetProfileString(section, "name", section, path_, PlayerRecord::kTextField);
  p.address = platform::GetProfileString(section, "address", "", path_, PlayerRecord::kTextField);
  p.email = platform::GetProfileString(section, "email", "", path_, PlayerRecord::kTextField);
  p.send = platform::GetProfileString(section, "send", "Y", path_, PlayerRecord::kSendField);
  // The profile reader already cuts to the buffer; this keeps the record
  // within its fields whatever reader stands behind it.
  p.Fit();
  return true;
}

bool PlayerRoster::SavePlayer(int index, const PlayerRecord& record) {
  if (path_.empty() || !ValidIndex(index)) return false;
  PlayerRecord fitted = record;
  fitted.Fit();
  const std::string section = SectionName(index);
  bool ok = platform::WriteProfileString(section, "name", fitted.name, path_);
  ok = platform::WriteProfileString(section, "address", fitted.address, path_) && ok;
  ok = platform::WriteProfileString(section, "email", fitted.email, path_) && ok;
  ok = platform::WriteProfileString(section, "send", fitted.send, path_) && ok;
  return ok;
}

bool PlayerRoster::ResetPlayer(int index) {
  if (path_.empty() || !ValidIndex(index)) return false;
  PlayerRecord& p = players_[index];
  p = PlayerRecord{};
  p.name = SectionName(index);
  p.send = "Y";
  return SavePlayer(index, p);
}

void PlayerRoster::ResetAll() {
  for (int i = 0; i < kPlayerCount; ++i) ResetPlayer(i);
}

std::string PlayerRoster::EntryText(int index) {
  if (!ValidIndex(index)) return {};
  LoadPlayer(index);
  const PlayerRecord& p = players_[index];
  return p.name + ":" + p.address + ":" + p.email + ":" + p.send;
}

}  // namespace players
