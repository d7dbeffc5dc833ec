#include "http_text.h"

#include "gbk_text.h"

namespace orvanta {

std::vector<std::string_view> SplitText(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> pieces;
  if (separator.empty()) return {text};
  std::size_t pieceStart = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    if (text.substr(at, separator.size()) == separator) {
      pieces.push_back(text.substr(pieceStart, at - pieceStart));
      at += separator.size();
      pieceStart = at;
    } else {
      at += GbkCharLength(text, at);
    }
  }
  pieces.push_back(text.substr(pieceStart));
  return pieces;
}

std::string_view TrimSpaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace orvanta
