#include "site_entry.h"

#include <gtest/gtest.h>

#include "text_cipher.h"

namespace orvanta {
namespace {

std::string Sealed(const std::string& answer) { return CipherEnvelope::Seal(answer, "7"); }

TEST(SiteEntry, ReadsEveryFormTheDirectorySends) {
  const std::string ok = R"({"code":"200","msg":"ok","data":"https://kf.example.com"})";
  const std::string refused = R"({"code":"201","msg":"no such server","data":""})";
  const struct {
    const char* name;
    std::string entry;
    bool succeeded;
    std::string siteBaseUrl;
    std::string message;
  } cases[] = {
      {"plain JSON", ok, true, "https://kf.example.com", ""},
      {"envelope", Sealed(ok), true, "https://kf.example.com", ""},
      {"envelope as a JSON string", "\"" + Sealed(ok) + "\"", true, "https://kf.example.com", ""},
      {"quotes inside the ciphertext", Sealed(ok).insert(8, "\"\""), true, "https://kf.example.com", ""},
      {"code as a number", R"({"code":200,"data":"https://a.example"})", true, "https://a.example", ""},
      {"failure with a message", Sealed(refused), false, "", "no such server"},
      {"success without data", R"({"code":"200","msg":"x"})", true, "", ""},
      {"data ending in a slash", R"({"code":"200","data":"https://a.example/"})", true, "https://a.example/", ""},
      {"code 2000 is not 200", R"({"code":"2000","msg":"m"})", false, "", "m"},
      {"empty", "", false, "", ""},
      {"an error page", "<html>502 Bad Gateway</html>", false, "", ""},
      {"envelope with a wrong pass phrase", "8:@|" + CipherEnvelope::Split(Sealed(ok)).cipherText, false, "", ""},
      {"two separators: the middle piece belongs to neither", "7:@|junk:@|" + CipherEnvelope::Split(Sealed(ok)).cipherText,
       true, "https://kf.example.com", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const SiteEntry read = ReadSiteEntry(c.entry);
    EXPECT_EQ(read.succeeded, c.succeeded);
    EXPECT_EQ(read.siteBaseUrl, c.siteBaseUrl);
    EXPECT_EQ(read.message, c.message);
  }
}

TEST(SiteEntry, LoginAddressIsBaseSlashPathAndWindowFlag) {
  EXPECT_EQ(LoginAddress("https://a.example", "service/login"), "https://a.example/service/login?isWindow=1");
  EXPECT_EQ(LoginAddress("", "service/login"), "/service/login?isWindow=1");
  EXPECT_EQ(LoginAddress("https://a.example", ""), "https://a.example/?isWindow=1");
  EXPECT_EQ(LoginAddress("https://a.example/", "x"), "https://a.example//x?isWindow=1");
}

}  // namespace
}  // namespace orvanta
