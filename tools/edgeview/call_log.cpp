#include "call_log.h"

#include <windows.h>

#include <cstdio>

#include "codepage.h"
#include "win/unique_handle.h"

namespace orvanta::standin {
namespace {

using FileHandle = UniqueHandle<HANDLE, CloseHandle>;

// The file functions report failure as INVALID_HANDLE_VALUE, UniqueHandle
// knows null as empty.
HANDLE OrNull(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }

// Quotes a text; `keep_high` leaves bytes of 0x80 and above as they are (they
// form valid UTF-8), otherwise they are written as \xHH.
std::string Quote(std::string_view text, bool keep_high) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && !keep_high)) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

bool IsStrictGbk(std::string_view text) {
  if (text.empty()) return true;
  return MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0) > 0;
}

}  // namespace

void CallLog::Line(const std::string& utf8) {
  FileHandle file(OrNull(CreateFileW(path_.c_str(), FILE_APPEND_DATA,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr)));
  if (!file) return;
  const std::string line = utf8 + "\n";
  DWORD written = 0;
  WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::string QuoteGbk(std::string_view gbk) {
  return IsStrictGbk(gbk) ? Quote(GbkToUtf8(gbk), true) : Quote(gbk, false);
}

std::string QuoteUtf8(std::string_view bytes) {
  return IsValidUtf8(bytes) ? Quote(bytes, true) : "!utf8" + Quote(bytes, false);
}

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

}  // namespace orvanta::standin
