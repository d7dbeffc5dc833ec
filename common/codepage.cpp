// GBK <-> Unicode through lookup tables. The tables are filled once per
// process from the platform's own code page 936 (one character at a time, see
// DecodeGbkCharacter), so both builds convert alike and a conversion costs a
// table read per character rather than a call into the platform.
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

#include "codepage.h"
#include "codepage_platform.h"

namespace orvanta {
namespace {

constexpr unsigned kFirstLead = 0x81, kLastLead = 0xFE;
constexpr unsigned kFirstTrail = 0x40, kLastTrail = 0xFE;
constexpr unsigned kTrails = kLastTrail - kFirstTrail + 1;
constexpr std::size_t kPairs = (kLastLead - kFirstLead + 1) * kTrails;

struct GbkTables {
  // Unicode of each lead/trail pair; 0 where the pair is not a character.
  std::array<char16_t, kPairs> pairs{};
  // Unicode of the single bytes 0x80..0xFF; 0 where the byte is not one.
  std::array<char16_t, 0x80> highBytes{};
  // GBK of each UTF-16 unit: a pair as lead << 8 | trail, a single byte as
  // itself; 0 where GBK has no such character.
  std::array<std::uint16_t, 0x10000> fromUnicode{};
};

std::unique_ptr<GbkTables> BuildTables() {
  auto tables = std::make_unique<GbkTables>();
  for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
    const char single = static_cast<char>(byte);
    char16_t unit = 0;
    if (DecodeGbkCharacter(std::string_view(&single, 1), unit) && unit >= 0x80) {
      tables->highBytes[byte - 0x80] = unit;
      tables->fromUnicode[unit] = static_cast<std::uint16_t>(byte);
    }
  }
  for (unsigned lead = kFirstLead; lead <= kLastLead; ++lead) {
    for (unsigned trail = kFirstTrail; trail <= kLastTrail; ++trail) {
      const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      char16_t unit = 0;
      if (!DecodeGbkCharacter(std::string_view(pair, 2), unit) || unit < 0x80) continue;
      tables->pairs[(lead - kFirstLead) * kTrails + (trail - kFirstTrail)] = unit;
      // Where two codes share a character, the first one is how it is written.
      if (tables->fromUnicode[unit] == 0) tables->fromUnicode[unit] = static_cast<std::uint16_t>(lead << 8 | trail);
    }
  }
  return tables;
}

const GbkTables& Tables() {
  static const std::unique_ptr<GbkTables> tables = BuildTables();
  return *tables;
}

// Decodes the GBK character at gbk[at]; returns the bytes it takes. A pair
// that is no character gives "?" for its first byte alone, so that the byte
// behind it (often ASCII, such as a quote or a line break) is read again.
std::size_t DecodeAt(const GbkTables& tables, std::string_view gbk, std::size_t at, char16_t& unit) {
  const auto byte = static_cast<unsigned char>(gbk[at]);
  if (byte < 0x80) {
    unit = byte;
    return 1;
  }
  if (byte >= kFirstLead && byte <= kLastLead && at + 1 < gbk.size()) {
    const auto trail = static_cast<unsigned char>(gbk[at + 1]);
    if (trail >= kFirstTrail && trail <= kLastTrail) {
      const char16_t found = tables.pairs[(byte - kFirstLead) * kTrails + (trail - kFirstTrail)];
      if (found != 0) {
        unit = found;
        return 2;
      }
    }
  }
  const char16_t single = tables.highBytes[byte - 0x80];
  unit = single != 0 ? single : u'?';
  return 1;
}

// Appends the GBK form of one UTF-16 unit at `out`; returns the end.
char* EncodeUnit(const GbkTables& tables, char16_t unit, char* out) {
  if (unit < 0x80) {
    *out++ = static_cast<char>(unit);
    return out;
  }
  const std::uint16_t code = tables.fromUnicode[unit];
  if (code == 0) {
    *out++ = '?';
  } else if (code < 0x100) {
    *out++ = static_cast<char>(code);
  } else {
    *out++ = static_cast<char>(code >> 8);
    *out++ = static_cast<char>(code & 0xFF);
  }
  return out;
}

// Length of the leading run of ASCII bytes, eight at a time.
std::size_t AsciiPrefix(std::string_view text) {
  std::size_t at = 0;
  for (; at + 8 <= text.size(); at += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + at, 8);
    if (word & 0x8080808080808080ull) break;
  }
  while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) ++at;
  return at;
}

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

char* AppendUtf8(char32_t cp, char* out) {
  if (cp < 0x80) {
    *out++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *out++ = static_cast<char>(0xC0 | (cp >> 6));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (cp >> 12));
    *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (cp >> 18));
    *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

}  // namespace

std::u16string GbkToUtf16(std::string_view gbk) {
  const GbkTables& tables = Tables();
  std::u16string out;
  out.reserve(gbk.size());
  char16_t unit;
  for (std::size_t at = 0; at < gbk.size();) {
    at += DecodeAt(tables, gbk, at, unit);
    out += unit;
  }
  return out;
}

std::vector<std::size_t> GbkUnitOffsets(std::string_view gbk) {
  const GbkTables& tables = Tables();
  std::vector<std::size_t> offsets;
  offsets.reserve(gbk.size() + 1);
  char16_t unit;
  for (std::size_t at = 0; at < gbk.size(); at += DecodeAt(tables, gbk, at, unit)) offsets.push_back(at);
  offsets.push_back(gbk.size());
  return offsets;
}

std::string Utf16ToGbk(std::u16string_view utf16) {
  const GbkTables& tables = Tables();
  std::string out(utf16.size() * 2, '\0');
  char* end = out.data();
  for (char16_t unit : utf16) end = EncodeUnit(tables, unit, end);
  out.resize(static_cast<std::size_t>(end - out.data()));
  return out;
}

std::string GbkToUtf8(std::string_view gbk) {
  const std::size_t ascii = AsciiPrefix(gbk);
  if (ascii == gbk.size()) return std::string(gbk);
  const GbkTables& tables = Tables();
  std::string out(ascii + (gbk.size() - ascii) * 3, '\0');  // a single byte may become three
  std::memcpy(out.data(), gbk.data(), ascii);
  char* end = out.data() + ascii;
  char16_t unit;
  for (std::size_t at = ascii; at < gbk.size();) {
    if (static_cast<unsigned char>(gbk[at]) < 0x80) {
      *end++ = gbk[at++];
      continue;
    }
    at += DecodeAt(tables, gbk, at, unit);
    end = AppendUtf8(unit, end);
  }
  out.resize(static_cast<std::size_t>(end - out.data()));
  return out;
}

std::string Utf8ToGbk(std::string_view utf8) {
  std::string gbk;
  return DecodeUtf8ToGbk(utf8, gbk) ? gbk : std::string();
}

bool DecodeUtf8ToGbk(std::string_view utf8, std::string& out) {
  const std::size_t ascii = AsciiPrefix(utf8);
  out.assign(utf8.data(), ascii);
  if (ascii == utf8.size()) return true;
  const GbkTables& tables = Tables();
  out.resize(utf8.size());  // no character grows: 2-4 UTF-8 bytes give 1-2 GBK bytes
  char* end = out.data() + ascii;
  char32_t cp;
  const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
  for (std::size_t at = ascii; at < utf8.size();) {
    // Inline paths for the two forms a GBK text is made of: ASCII and the
    // three-byte sequences of the BMP's Chinese characters.
    const unsigned char b0 = bytes[at];
    if (b0 < 0x80) {
      *end++ = static_cast<char>(b0);
      ++at;
      continue;
    }
    if ((b0 & 0xF0) == 0xE0 && at + 2 < utf8.size() && (bytes[at + 1] & 0xC0) == 0x80 &&
        (bytes[at + 2] & 0xC0) == 0x80) {
      const char32_t three = (b0 & 0x0Fu) << 12 | (bytes[at + 1] & 0x3Fu) << 6 | (bytes[at + 2] & 0x3Fu);
      if (three >= 0x800 && (three < 0xD800 || three > 0xDFFF)) {
        end = EncodeUnit(tables, static_cast<char16_t>(three), end);
        at += 3;
        continue;
      }
    }
    const std::size_t length = DecodeUtf8(utf8, at, cp);
    if (length == 0) {
      out.clear();
      return false;
    }
    at += length;
    if (cp < 0x10000) {
      end = EncodeUnit(tables, static_cast<char16_t>(cp), end);
    } else {
      *end++ = '?';  // beyond the BMP: one "?" per UTF-16 unit, as Windows writes it
      *end++ = '?';
    }
  }
  out.resize(static_cast<std::size_t>(end - out.data()));
  return true;
}

bool IsValidUtf8(std::string_view bytes) {
  char32_t cp;
  for (std::size_t at = AsciiPrefix(bytes); at < bytes.size();) {
    const std::size_t length = DecodeUtf8(bytes, at, cp);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

bool Utf8ToUtf16(std::string_view utf8, std::u16string& out) {
  out.clear();
  out.reserve(utf8.size());
  char32_t cp;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t length = DecodeUtf8(utf8, at, cp);
    if (length == 0) return false;
    at += length;
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
  std::string out(utf16.size() * 3, '\0');
  char* end = out.data();
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[++i] - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = u'?';  // a lone surrogate has no UTF-8 form
    }
    end = AppendUtf8(cp, end);
  }
  out.resize(static_cast<std::size_t>(end - out.data()));
  return out;
}

}  // namespace orvanta
