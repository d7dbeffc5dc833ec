// UTF-8 <-> UTF-16, portable, and the GBK <-> UTF-8 forms built on the
// platform's GBK <-> UTF-16 conversion.
#include "codepage.h"

namespace orvanta {
namespace {

// Decodes one strict UTF-8 sequence at bytes[at]; returns its length, or 0.
std::size_t DecodeUtf8(std::string_view bytes, std::size_t at, char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(bytes[at]);
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  std::size_t length;
  char32_t min;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2, min = 0x80, cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3, min = 0x800, cp = b0 & 0x0F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4, min = 0x10000, cp = b0 & 0x07;
  } else {
    return 0;
  }
  if (bytes.size() - at < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(bytes[at + i]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  char32_t cp;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t n = DecodeUtf8(bytes, at, cp);
    if (n == 0) return false;
    at += n;
  }
  return true;
}

bool Utf8ToUtf16(std::string_view utf8, std::u16string& out) {
  out.clear();
  out.reserve(utf8.size());
  char32_t cp;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t n = DecodeUtf8(utf8, at, cp);
    if (n == 0) return false;
    at += n;
    if (cp < 0x10000) {
      out += static_cast<char16_t>(cp);
    } else {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 | (cp >> 10));
      out += static_cast<char16_t>(0xDC00 | (cp & 0x3FF));
    }
  }
  return true;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 3);
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[++i] - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = u'?';  // a lone surrogate has no UTF-8 form
    }
    AppendUtf8(out, cp);
  }
  return out;
}

std::string GbkToUtf8(std::string_view gbk) {
  if (IsAscii(gbk)) return std::string(gbk);  // ASCII is the same in both
  return Utf16ToUtf8(GbkToUtf16(gbk));
}

std::string Utf8ToGbk(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  std::u16string utf16;
  if (!Utf8ToUtf16(utf8, utf16)) return {};
  return Utf16ToGbk(utf16);
}

}  // namespace orvanta
