// Small text helpers the HTTP modules share.
#pragma once

#include <string_view>
#include <vector>

namespace orvanta {

// The pieces of `text` between occurrences of `separator`, found character
// by character so that no separator starts on the trail byte of a double-byte
// character. An empty text gives one empty piece; an empty separator gives the
// whole text.
std::vector<std::string_view> SplitText(std::string_view text, std::string_view separator);

// `text` without spaces and tabs at either end.
std::string_view TrimSpaces(std::string_view text);

}  // namespace orvanta
