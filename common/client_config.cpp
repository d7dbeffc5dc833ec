#include "client_config.h"

#include <climits>
#include <string>

namespace orvanta {

int ConfigInteger(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  long long value = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = value * 10 + (text[at] - '0');
    if (value > INT_MAX) return 0;  // no window is that large: treat as not a number
  }
  return static_cast<int>(negative ? -value : value);
}

// The keys are spelled "higth" and "lift" in every existing file.
WindowGeometry ClientConfig::ReadGeometry(std::string_view section) const {
  return {ConfigInteger(Read(section, "wide")), ConfigInteger(Read(section, "higth")),
          ConfigInteger(Read(section, "top")), ConfigInteger(Read(section, "lift"))};
}

void ClientConfig::WriteGeometry(std::string_view section, const WindowGeometry& geometry) {
  Write(section, "wide", std::to_string(geometry.width));
  Write(section, "higth", std::to_string(geometry.height));
  Write(section, "top", std::to_string(geometry.top));
  Write(section, "lift", std::to_string(geometry.left));
}

}  // namespace orvanta
