// The high-score address and its parts.
#include "launcher/score_upload.h"

#include <gtest/gtest.h>

#include <string>

namespace launcher_test {
namespace {

TEST(ScoreUpload, EscapesTheUnsafeCharactersAndTheSeparatorsInsideValues) {
  EXPECT_EQ(launcher::EscapeQueryValue(" \"#%;<>?[\\]^{|}~"),
            "%20%22%23%25%3b%3c%3e%3f%5b%5c%5d%5e%7b%7c%7d%7e");
  EXPECT_EQ(launcher::EscapeQueryValue("a&b=c+d"), "a%26b%3dc%2bd");
  EXPECT_EQ(launcher::EscapeQueryValue(std::string("\x01\x7f\xc3\xa9", 4)), "%01%7f%c3%a9");
  EXPECT_EQ(launcher::EscapeQueryValue("Ann:12 Elm St:a@b.c:Y"), "Ann:12%20Elm%20St:a@b.c:Y");
  EXPECT_EQ(launcher::EscapeQueryValue("AZaz09-_.!*'(),/:@$"), "AZaz09-_.!*'(),/:@$");
}

TEST(ScoreUpload, QueryCombinesTheScoreWithTheKeyAsASignedNumber) {
  EXPECT_EQ(launcher::ScoreQuery("Verimoo", "Bo & Al", 1000, 0),
            "game=Verimoo&name=Bo%20%26%20Al&score=1000");
  EXPECT_EQ(launcher::ScoreQuery("G", "", 0, 0xFFFFFFFFu), "game=G&name=&score=-1");
  EXPECT_EQ(launcher::ScoreQuery("G", "x", 5, 3), "game=G&name=x&score=6");
  // A name cannot add a parameter of its own.
  EXPECT_EQ(launcher::ScoreQuery("G", "x&score=999999", 5, 0),
            "game=G&name=x%26score%3d999999&score=5");
  const std::string longName(5000, 'n');
  EXPECT_EQ(launcher::ScoreUploadUrl("http://h/cgi-bin/hiscore.cgi", "G", longName, 1, 0),
            "http://h/cgi-bin/hiscore.cgi?game=G&name=" + longName + "&score=1");
}

TEST(ScoreUpload, KeySettingIsANumberOrTheHashOfItsText) {
  EXPECT_EQ(launcher::ScoreKeyValue("255"), 255u);
  EXPECT_EQ(launcher::ScoreKeyValue("0x5A17c3E9"), 0x5A17C3E9u);
  EXPECT_EQ(launcher::ScoreKeyValue("4294967295"), 0xFFFFFFFFu);
  // FNV-1a, 32 bits: the published values for "" and "a".
  EXPECT_EQ(launcher::ScoreKeyValue(""), 0x811C9DC5u);
  EXPECT_EQ(launcher::ScoreKeyValue("a"), 0xE40C292Cu);
  // Text that only begins like a number, or overflows, is text.
  EXPECT_NE(launcher::ScoreKeyValue("12ab"), 12u);
  EXPECT_NE(launcher::ScoreKeyValue("4294967296"), 0u);
  EXPECT_NE(launcher::ScoreKeyValue("0x"), 0u);
}

}  // namespace
}  // namespace launcher_test
