#include "arguments.h"

#include <cerrno>
#include <cwchar>

#include "json_line.h"

namespace probe {
namespace {

// Options that stand alone; every other "--name" takes the next word.
bool IsFlag(const std::wstring& name) { return name == L"force"; }

}  // namespace

std::int64_t ParseNumber(const std::wstring& text, const char* what) {
  if (text.empty()) throw UsageError(std::string("empty ") + what);
  wchar_t* end = nullptr;
  const bool negative = text[0] == L'-';
  const wchar_t* digits = text.c_str() + (negative ? 1 : 0);
  const int base = (digits[0] == L'0' && (digits[1] == L'x' || digits[1] == L'X')) ? 16 : 10;
  errno = 0;
  const unsigned long long magnitude = std::wcstoull(digits, &end, base);
  if (end == digits || *end != L'\0' || errno == ERANGE) {
    throw UsageError(std::string("not a number for ") + what + ": " + ToUtf8(text));
  }
  // Message parameters are machine words: 0xFFFFFFFF is as valid as -1.
  return negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
}

Arguments::Arguments(const std::vector<std::wstring>& words) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::wstring& word = words[i];
    if (word.size() > 2 && word.compare(0, 2, L"--") == 0) {
      const std::wstring name = word.substr(2);
      if (IsFlag(name)) {
        options_[name] = L"";
      } else {
        if (i + 1 >= words.size()) throw UsageError("option without value: " + ToUtf8(word));
        options_[name] = words[++i];
      }
    } else {
      positional_.push_back(word);
    }
  }
}

const std::wstring& Arguments::Text(std::size_t index, const char* what) const {
  if (index >= positional_.size()) throw UsageError(std::string("missing ") + what);
  return positional_[index];
}

std::int64_t Arguments::Number(std::size_t index, const char* what) const {
  return ParseNumber(Text(index, what), what);
}

HWND Arguments::Window(std::size_t index) const {
  const std::int64_t value = Number(index, "window handle");
  const HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
  if (!IsWindow(window)) throw ActionError("no such window: " + std::to_string(value));
  return window;
}

bool Arguments::Flag(const std::wstring& name) const { return options_.count(name) != 0; }

std::optional<std::wstring> Arguments::Option(const std::wstring& name) const {
  const auto found = options_.find(name);
  if (found == options_.end()) return std::nullopt;
  return found->second;
}

std::optional<std::int64_t> Arguments::NumberOption(const std::wstring& name) const {
  const auto value = Option(name);
  if (!value) return std::nullopt;
  return ParseNumber(*value, ToUtf8(L"--" + name).c_str());
}

}  // namespace probe
