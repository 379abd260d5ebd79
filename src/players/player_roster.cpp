#include "players/player_roster.h"

#include <cctype>
#include <climits>
#include <vector>

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

bool PlayerRoster::WriteCurrentIndex(int index, std::string* why) {
  if (path_.empty()) return false;
  current_ = ValidIndex(index) ? index : 0;
  return platform::WriteProfileString(kSetupSection, kIndexKey, std::to_string(current_), path_,
                                      why);
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

bool PlayerRoster::SavePlayer(int index, const PlayerRecord& record, std::string* why) {
  if (path_.empty() || !ValidIndex(index)) return false;
  std::vector<platform::ProfileEntry> entries;
  AddEntries(entries, index, record);
  return platform::WriteProfileStrings(entries, path_, why);
}

bool PlayerRoster::SaveAll(std::string* why) {
  if (path_.empty()) return false;
  // One write for the lot: a crash or a full disk leaves no player half saved.
  std::vector<platform::ProfileEntry> entries;
  for (int i = 0; i < kPlayerCount; ++i) AddEntries(entries, i, players_[std::size_t(i)]);
  return platform::WriteProfileStrings(entries, path_, why);
}

void PlayerRoster::AddEntries(std::vector<platform::ProfileEntry>& entries, int index,
                              const PlayerRecord& record) {
  PlayerRecord fitted = record;
  fitted.Fit();
  const std::string section = SectionName(index);
  entries.push_back({section, "name", fitted.name});
  entries.push_back({section, "address", fitted.address});
  entries.push_back({section, "email", fitted.email});
  entries.push_back({section, "send", fitted.send});
}

PlayerRecord PlayerRoster::DefaultPlayer(int index) {
  PlayerRecord p;
  p.name = SectionName(index);
  p.send = "Y";
  return p;
}

bool PlayerRoster::ResetPlayer(int index, std::string* why) {
  if (path_.empty() || !ValidIndex(index)) return false;
  players_[std::size_t(index)] = DefaultPlayer(index);
  return SavePlayer(index, players_[std::size_t(index)], why);
}

bool PlayerRoster::ResetAll(std::string* why) {
  if (path_.empty()) return false;
  for (int i = 0; i < kPlayerCount; ++i) players_[std::size_t(i)] = DefaultPlayer(i);
  return SaveAll(why);
}

std::string PlayerRoster::EntryText(int index) {
  if (!ValidIndex(index)) return {};
  LoadPlayer(index);
  const PlayerRecord& p = players_[index];
  return p.name + ":" + p.address + ":" + p.email + ":" + p.send;
}

}  // namespace players
