// The probe's command line: a command name, positional values and
// "--name value" options. Numbers are decimal or 0x-hexadecimal.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace probe {

// A mistake in the command line; the probe reports it and exits with 1.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The target is missing or refuses the action; exit code 2.
struct ActionError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Arguments {
 public:
  // argv without the program name; options may stand anywhere.
  explicit Arguments(const std::vector<std::wstring>& words);

  std::size_t Count() const { return positional_.size(); }
  const std::wstring& Text(std::size_t index, const char* what) const;
  std::int64_t Number(std::size_t index, const char* what) const;
  HWND Window(std::size_t index) const;

  bool Flag(const std::wstring& name) const;
  std::optional<std::wstring> Option(const std::wstring& name) const;
  std::optional<std::int64_t> NumberOption(const std::wstring& name) const;

 private:
  std::vector<std::wstring> positional_;
  std::map<std::wstring, std::wstring> options_;
};

std::int64_t ParseNumber(const std::wstring& text, const char* what);

}  // namespace probe
