// Conversions between the system's GBK texts and Unicode.
//
// Code page 936 comes from the platform (iconv natively, MultiByteToWideChar
// on Windows) and is read into tables once; the conversions themselves are
// portable. A character that GBK cannot hold becomes "?" (one per UTF-16
// unit), and a byte that does not start a GBK character becomes "?" as well,
// while the byte behind it is read again on its own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

std::u16string GbkToUtf16(std::string_view gbk);
std::string Utf16ToGbk(std::u16string_view utf16);
// Where each UTF-16 unit of GbkToUtf16(gbk) starts in `gbk`, plus its end.
std::vector<std::size_t> GbkUnitOffsets(std::string_view gbk);

std::string GbkToUtf8(std::string_view gbk);
// `utf8` must be valid UTF-8 (see IsValidUtf8); anything else yields "".
std::string Utf8ToGbk(std::string_view utf8);
// The same, telling an invalid text (false) from an empty one.
bool DecodeUtf8ToGbk(std::string_view utf8, std::string& gbk);

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
