// One JSON object, built field by field and printed as one UTF-8 line. The
// probe's only output format: the test runner reads one object per line.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace probe {

std::string ToUtf8(std::wstring_view text);

class JsonObject {
 public:
  JsonObject& Add(std::string_view key, std::int64_t value);
  JsonObject& Add(std::string_view key, int value) { return Add(key, std::int64_t{value}); }
  JsonObject& Add(std::string_view key, unsigned value) { return Add(key, std::int64_t{value}); }
  JsonObject& Add(std::string_view key, bool value);
  JsonObject& Add(std::string_view key, std::wstring_view text);
  JsonObject& Add(std::string_view key, const wchar_t* text) { return Add(key, std::wstring_view(text)); }
  JsonObject& Add(std::string_view key, std::string_view ascii);
  JsonObject& Add(std::string_view key, const char* ascii) { return Add(key, std::string_view(ascii)); }
  JsonObject& Add(std::string_view key, const JsonObject& object);
  JsonObject& Add(std::string_view key, const std::vector<JsonObject>& array);
  // A window handle as a number, or null for none: handles are what the
  // tests pass back to the probe.
  JsonObject& AddWindow(std::string_view key, HWND window);
  JsonObject& AddNull(std::string_view key);

  std::string Text() const { return "{" + body_ + "}"; }

 private:
  JsonObject& AddRaw(std::string_view key, std::string_view json);
  std::string body_;
};

// Writes the object and a newline to standard output at once, so that a
// reader never sees half a line.
void PrintLine(const JsonObject& object);

}  // namespace probe
