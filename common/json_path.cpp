#include "json_path.h"

#include "json_text.h"

namespace orvanta {
namespace {

// Length of "[digits]" at path[at], or 0.
std::size_t IndexSegmentLength(std::string_view path, std::size_t at) {
  if (path[at] != '[') return 0;
  std::size_t end = at + 1;
  while (end < path.size() && path[end] >= '0' && path[end] <= '9') ++end;
  return end > at + 1 && end < path.size() && path[end] == ']' ? end + 1 - at : 0;
}

}  // namespace

std::vector<std::string> SplitJsonPath(std::string_view path) {
  std::string quoted;
  quoted.reserve(path.size());
  for (std::size_t at = 0; at < path.size(); ++at) {
    if (path[at] == '\'' && at + 1 < path.size() && path[at + 1] == '\'') {
      quoted += '"';
      ++at;
    } else {
      quoted += path[at];
    }
  }
  // Quotes, dots and apostrophes are below the trail-byte range, so they are
  // found byte by byte without splitting a character.
  std::vector<std::string> segments;
  bool inQuotes = false;
  std::size_t start = 0;
  for (std::size_t at = 0; at <= quoted.size(); ++at) {
    if (at < quoted.size() && quoted[at] == '"') inQuotes = !inQuotes;
    if (at == quoted.size() || (quoted[at] == '.' && !inQuotes)) {
      segments.push_back(StripJsonQuotes(std::string_view(quoted).substr(start, at - start), false));
      start = at + 1;
    }
  }
  return segments;
}

std::string SeparateIndexSegments(std::string_view path) {
  std::string out;
  out.reserve(path.size() + 8);
  std::size_t at = 0;
  bool afterDot = true;  // nothing in front counts like a dot
  while (at < path.size()) {
    // "[" can be the trail byte of a double-byte character: step by character.
    const std::size_t width = JsonCharLength(path, at);
    const std::size_t index = width == 1 ? IndexSegmentLength(path, at) : 0;
    if (index != 0) {
      if (!afterDot) out += '.';
      out.append(path, at, index);
      at += index;
      afterDot = false;
      continue;
    }
    out.append(path, at, width);
    afterDot = width == 1 && path[at] == '.';
    at += width;
  }
  return out;
}

std::string JoinJsonPath(const std::vector<std::string>& names) {
  std::string path;
  for (const std::string& name : names) {
    if (!path.empty() || &name != &names.front()) path += '.';
    if (name.find('.') != std::string::npos) {
      path += '"' + name + '"';
    } else {
      path += name;
    }
  }
  return path;
}

}  // namespace orvanta
