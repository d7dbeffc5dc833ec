// The stored site entry ([main] hostdata) and the directory's answers, which
// have the same form: a directory answer {"code","msg","data"}, either as plain
// JSON or sealed in a cipher envelope (possibly wrapped in double quotes).
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

struct SiteEntry {
  bool succeeded = false;    // "code" is exactly "200"
  std::string siteBaseUrl;   // "data" when it succeeded
  std::string message;       // "msg", for the user when it did not
};

// Reads an entry; an entry that is empty, does not decrypt or is not JSON
// reads as a failure with an empty message.
SiteEntry ReadSiteEntry(std::string_view entry);

// The login page of a site: base + "/" + login path + "?isWindow=1".
std::string LoginAddress(std::string_view siteBaseUrl, std::string_view loginPath);

}  // namespace orvanta
