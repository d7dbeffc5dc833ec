// Conversions between the system's GBK texts and Unicode.
//
// The GBK <-> UTF-16 pair is the platform seam (iconv natively,
// MultiByteToWideChar/WideCharToMultiByte on Windows); the UTF-8 forms are
// built on it. A character that GBK cannot hold becomes "?", and a byte
// sequence that is not GBK becomes U+003F as well, the same on every platform.
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

std::u16string GbkToUtf16(std::string_view gbk);
std::string Utf16ToGbk(std::u16string_view utf16);

std::string GbkToUtf8(std::string_view gbk);
// `utf8` must be valid UTF-8 (see IsValidUtf8); anything else yields "".
std::string Utf8ToGbk(std::string_view utf8);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

std::string Utf16ToUtf8(std::u16string_view utf16);
// Decodes valid UTF-8; returns false (and leaves `out` unspecified) otherwise.
bool Utf8ToUtf16(std::string_view utf8, std::u16string& out);

// The GBK form of a text written in the source (which is UTF-8), such as a
// caption or a placeholder: Gbk(u8"友情提醒").
inline std::string Gbk(std::u8string_view source) {
  return Utf8ToGbk(std::string_view(reinterpret_cast<const char*>(source.data()), source.size()));
}

#ifdef _WIN32
// The forms the W functions of the Windows API take.
std::wstring ToWide(std::string_view gbk);
std::string FromWide(std::wstring_view wide);
#endif

}  // namespace orvanta
