#include "site_entry.h"

#include "gbk_text.h"
#include "json_document.h"
#include "text_cipher.h"

namespace orvanta {

SiteEntry ReadSiteEntry(std::string_view entry) {
  std::string answer(entry);
  if (answer.find(kEnvelopeSeparator) != std::string::npos) {
    // The directory sends the envelope as a JSON string: every quote goes.
    answer = CipherEnvelope::Split(ReplacePairs(answer, {{"\"", ""}})).Open();
  }
  JsonDocument document;
  document.Parse(answer);
  SiteEntry result;
  result.succeeded = document.GetText("code") == "200";
  if (result.succeeded) {
    result.siteBaseUrl = document.GetText("data");
  } else {
    result.message = document.GetText("msg");
  }
  return result;
}

std::string LoginAddress(std::string_view siteBaseUrl, std::string_view loginPath) {
  return std::string(siteBaseUrl) + "/" + std::string(loginPath) + "?isWindow=1";
}

}  // namespace orvanta
