// Cookie texts as the program keeps them: "name=value" items joined by "; ".
// Cookies live only in these texts; each request gets them passed in and
// hands the merged text back.
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

// The cookies a caller sends next time: every new item, then the old items
// whose names the new ones do not set again. Items a server deleted (value
// "deleted") are dropped, as are repeated items.
std::string MergeCookies(std::string_view oldCookies, std::string_view newCookies);

// `text` with every item that repeats an earlier one (exactly) dropped.
std::string RemoveDuplicates(std::string_view text, std::string_view separator);

}  // namespace orvanta
