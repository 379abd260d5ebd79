// The address that sends a game's best score to the maker's high-score
// page: "game=<name>&name=<entry text>&score=<score ^ key>" after the
// page's address and a "?".
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace launcher {

// The 32-bit key agreed with the page, from its build setting: a decimal
// or 0x-prefixed hexadecimal number is taken as it stands; any other text
// stands for its 32-bit FNV-1a hash, which the page computes the same way.
uint32_t ScoreKeyValue(std::string_view setting);

// One query value made safe to send: space, the characters " # % ; < > ?
// [ \ ] ^ { | } ~, the separators & = + and every byte outside printable
// ASCII become '%' and two lower-case hex digits; everything else, ':'
// included, is copied.
std::string EscapeQueryValue(std::string_view value);

// "game=...&name=...&score=..." with each value escaped; the score is
// combined with the key by exclusive-or and written as a signed number.
std::string ScoreQuery(std::string_view game, std::string_view name, int32_t score, uint32_t key);

// pageUrl + "?" + query.
std::string ScoreUploadUrl(std::string_view pageUrl, std::string_view game, std::string_view name,
                           int32_t score, uint32_t key);

}  // namespace launcher
