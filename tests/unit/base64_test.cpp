#include "base64.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

TEST(Base64, EncodesTheStandardVectors) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {"\xFB\xFF", "+/8="},
  };
  for (const auto& [bytes, text] : cases) {
    EXPECT_EQ(Base64Encode(bytes), text);
    std::string decoded;
    EXPECT_TRUE(Base64Decode(text, decoded)) << text;
    EXPECT_EQ(decoded, bytes);
  }
}

TEST(Base64, DecodingAcceptsMissingPaddingAndRejectsEverythingElse) {
  std::string bytes;
  EXPECT_TRUE(Base64Decode("Zm8", bytes));
  EXPECT_EQ(bytes, "fo");
  for (const char* bad : {"Z", "Zm9v!", "Zm=v", "Zm 9v", "Zm9v\r\n", "Zg===", "====", "-_8="}) {
    EXPECT_FALSE(Base64Decode(bad, bytes)) << bad;
  }
}

}  // namespace
}  // namespace orvanta
