#include "http_cookies.h"

#include <unordered_set>
#include <vector>

#include "http_text.h"

namespace orvanta {
namespace {

constexpr std::string_view kItemSeparator = "; ";

// The items of a cookie text. A text ending in ";" gets its last item closed
// the same way as the others; empty items carry nothing and are skipped.
std::vector<std::string_view> CookieItems(std::string_view cookies) {
  std::vector<std::string_view> items;
  std::string_view text = TrimSpaces(cookies);
  if (text.ends_with(';')) text.remove_suffix(1);
  for (std::string_view item : SplitText(text, kItemSeparator)) {
    if (!item.empty()) items.push_back(item);
  }
  return items;
}

std::string_view CookieName(std::string_view item) { return TrimSpaces(item.substr(0, item.find('='))); }

}  // namespace

std::string MergeCookies(std::string_view oldCookies, std::string_view newCookies) {
  std::vector<std::string_view> merged = CookieItems(newCookies);
  std::unordered_set<std::string_view> newNames;
  for (std::string_view item : merged) newNames.insert(CookieName(item));
  for (std::string_view item : CookieItems(oldCookies)) {
    if (!newNames.contains(CookieName(item))) merged.push_back(item);
  }
  std::string joined;
  for (std::string_view item : merged) {
    if (item.ends_with("=deleted")) continue;
    if (!joined.empty()) joined += kItemSeparator;
    joined += item;
  }
  return RemoveDuplicates(joined, kItemSeparator);
}

std::string RemoveDuplicates(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> kept;
  std::unordered_set<std::string_view> seen;
  for (std::string_view item : SplitText(text, separator)) {
    if (seen.insert(item).second) kept.push_back(item);
  }
  std::string out;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (i > 0) out += separator;
    out += kept[i];
  }
  return out;
}

}  // namespace orvanta
