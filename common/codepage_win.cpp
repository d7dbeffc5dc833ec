// Code page 936 from Windows, and the W-function forms of GBK texts.
#include <windows.h>

#include "codepage.h"
#include "codepage_platform.h"

namespace orvanta {

bool DecodeGbkCharacter(std::string_view bytes, char16_t& unit) {
  wchar_t wide[4];
  const int written = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                                          wide, 4);
  if (written != 1) return false;
  unit = static_cast<char16_t>(wide[0]);
  return true;
}

std::wstring ToWide(std::string_view gbk) {
  const std::u16string utf16 = GbkToUtf16(gbk);
  return std::wstring(utf16.begin(), utf16.end());
}

std::string FromWide(std::wstring_view wide) {
  return Utf16ToGbk(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace orvanta
