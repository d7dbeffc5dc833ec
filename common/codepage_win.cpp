// GBK <-> UTF-16 through the Windows code-page functions.
#include <windows.h>

#include "codepage.h"
#include "gbk_text.h"

namespace orvanta {
namespace {

constexpr UINT kGbk = 936;

// Converts `gbk` strictly; false when it holds a sequence 936 does not define.
bool ConvertStrict(std::string_view gbk, std::u16string& out) {
  if (gbk.empty()) return true;
  const int size = static_cast<int>(gbk.size());
  const int needed = MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, gbk.data(), size, nullptr, 0);
  if (needed <= 0) return false;
  const std::size_t base = out.size();
  out.resize(base + static_cast<std::size_t>(needed));
  return MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, gbk.data(), size,
                             reinterpret_cast<wchar_t*>(out.data() + base), needed) == needed;
}

}  // namespace

std::u16string GbkToUtf16(std::string_view gbk) {
  std::u16string out;
  if (ConvertStrict(gbk, out)) return out;
  // Character by character, as the native build does: a pair that does not
  // convert gives "?" for its first byte and the second byte is read again.
  out.clear();
  for (std::size_t at = 0; at < gbk.size();) {
    const std::size_t width = GbkCharLength(gbk, at);
    const std::size_t before = out.size();
    if (ConvertStrict(gbk.substr(at, width), out) && out.size() > before) {
      at += width;
    } else {
      out.resize(before);
      out += u'?';
      at += 1;
    }
  }
  return out;
}

std::string Utf16ToGbk(std::u16string_view utf16) {
  if (utf16.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(utf16.data());
  const int size = static_cast<int>(utf16.size());
  const int needed = WideCharToMultiByte(kGbk, 0, wide, size, nullptr, 0, "?", nullptr);
  if (needed <= 0) return {};
  std::string out(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(kGbk, 0, wide, size, out.data(), needed, "?", nullptr);
  return out;
}

std::wstring ToWide(std::string_view gbk) {
  const std::u16string utf16 = GbkToUtf16(gbk);
  return std::wstring(utf16.begin(), utf16.end());
}

std::string FromWide(std::wstring_view wide) {
  return Utf16ToGbk(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace orvanta
