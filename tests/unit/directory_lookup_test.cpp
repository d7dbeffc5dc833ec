#include "directory_lookup.h"

#include <gtest/gtest.h>

#include "codepage.h"
#include "gbk_text.h"
#include "text_cipher.h"

namespace orvanta {
namespace {

TEST(DirectoryQuery, EscapesTheNumberForAJsonString) {
  const std::pair<std::string, std::string> cases[] = {
      {"1001", R"({"domainid":"1001"})"},
      {"", R"({"domainid":""})"},
      {"10\"01", R"({"domainid":"10\"01"})"},
      {"a\\b", R"({"domainid":"a\\b"})"},
      {"1\",\"x\":\"2", R"({"domainid":"1\",\"x\":\"2"})"},
      {"@domainid@", R"({"domainid":"@domainid@"})"},
      {"tab\there", R"({"domainid":"tab\u0009here"})"},
      {" 12 ", R"({"domainid":" 12 "})"},  // as typed: no trimming
      // 丂\ : the trail byte 0x5C of the first character is not a backslash.
      {"\x81\x5C\\", "{\"domainid\":\"\x81\x5C\\\\\"}"},
  };
  for (const auto& [number, query] : cases) EXPECT_EQ(DirectoryQuery(number), query) << number;
}

TEST(DirectoryRequestUrl, CarriesTheSealedQueryUnencoded) {
  const std::string url = DirectoryRequestUrl("directory.example.test", Gbk(u8"编号1001"));
  const std::string prefix = "https://directory.example.test/api/domaincheckid?data=";
  ASSERT_EQ(url.rfind(prefix, 0), 0u) << url;
  const std::string envelope = url.substr(prefix.size());
  EXPECT_EQ(envelope.find('%'), std::string::npos);
  const CipherEnvelope split = CipherEnvelope::Split(envelope);
  EXPECT_EQ(split.passPhrase, kDirectoryPassPhrase);
  EXPECT_EQ(split.Open(), Gbk(u8"{\"domainid\":\"编号1001\"}"));
}

}  // namespace
}  // namespace orvanta
