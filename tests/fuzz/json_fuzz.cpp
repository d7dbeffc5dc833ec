// Arbitrary bytes into the JSON document. An input is either a text alone, or
// paths (one a line) followed by a NUL byte and the text. Odd-sized inputs
// are parsed with elements named from "[0]".
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "json_checks.h"
#include "json_document.h"

namespace {

void Check(const std::string& problem) {
  if (!problem.empty()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvanta;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t nul = input.find('\0');
  const std::string_view paths = nul == std::string_view::npos ? std::string_view() : input.substr(0, nul);
  const std::string_view text = nul == std::string_view::npos ? input : input.substr(nul + 1);
  const bool zeroBased = size % 2 == 1;

  JsonDocument document;
  document.Parse(text, zeroBased);
  Check(json_checks::CheckTable(document, text));
  if (document.GetText("").size() > text.size()) __builtin_trap();

  // Paths from the input: read, counted, and written into a copy.
  std::size_t start = 0;
  for (int n = 0; n < 16 && start <= paths.size() && !paths.empty(); ++n) {
    std::size_t end = paths.find('\n', start);
    if (end == std::string_view::npos) end = paths.size();
    const std::string_view path = paths.substr(start, end - start);
    start = end + 1;
    const std::string value = document.GetText(path);
    int position = 0;
    document.CountChildren(path, &position);
    if (!zeroBased && position != 0 && value != JsonDocument::ValueText(document.Nodes().Value(position)) &&
        !path.empty()) {
      __builtin_trap();
    }
    JsonDocument changed = document;
    changed.SetValue(path, "v", JsonKind::kScalar);
    if (changed.GetText(path) != "v") __builtin_trap();
  }

  // The paths of the first nodes lead back to them.
  const int last = document.Nodes().Count() < 64 ? document.Nodes().Count() : 64;
  for (int at = 2; at <= last; ++at) Check(json_checks::CheckPathOf(document, at));
  return 0;
}
