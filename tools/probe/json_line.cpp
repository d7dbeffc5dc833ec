#include "json_line.h"

#include <cstdio>

namespace probe {
namespace {

std::string Quote(std::string_view utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace

std::string ToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

JsonObject& JsonObject::AddRaw(std::string_view key, std::string_view json) {
  if (!body_.empty()) body_ += ',';
  body_ += Quote(key);
  body_ += ':';
  body_ += json;
  return *this;
}

JsonObject& JsonObject::Add(std::string_view key, std::int64_t value) {
  return AddRaw(key, std::to_string(value));
}

JsonObject& JsonObject::Add(std::string_view key, bool value) {
  return AddRaw(key, value ? "true" : "false");
}

JsonObject& JsonObject::Add(std::string_view key, std::wstring_view text) {
  return AddRaw(key, Quote(ToUtf8(text)));
}

JsonObject& JsonObject::Add(std::string_view key, std::string_view ascii) {
  return AddRaw(key, Quote(ascii));
}

JsonObject& JsonObject::Add(std::string_view key, const JsonObject& object) {
  return AddRaw(key, object.Text());
}

JsonObject& JsonObject::Add(std::string_view key, const std::vector<JsonObject>& array) {
  std::string json = "[";
  for (std::size_t i = 0; i < array.size(); ++i) {
    if (i) json += ',';
    json += array[i].Text();
  }
  return AddRaw(key, json + "]");
}

JsonObject& JsonObject::AddWindow(std::string_view key, HWND window) {
  if (!window) return AddNull(key);
  return Add(key, static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(window)));
}

JsonObject& JsonObject::AddNull(std::string_view key) { return AddRaw(key, "null"); }

void PrintLine(const JsonObject& object) {
  const std::string line = object.Text() + "\n";
  // WriteFile passes the UTF-8 bytes through untouched whether standard
  // output is a file (the test runner's case) or a console set to CP_UTF8.
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()),
            &written, nullptr);
}

}  // namespace probe
