// GBK <-> UTF-16 through iconv, for the native build and its tests.
#include <errno.h>
#include <iconv.h>

#include "codepage.h"
#include "gbk_text.h"

namespace orvanta {
namespace {

// One converter per direction and thread, opened once: iconv_open loads the
// converter tables and costs far more than a short conversion.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of `in` into `out`; false on any invalid or unmappable input.
  bool Convert(const char* in, std::size_t inSize, char* out, std::size_t outSize, std::size_t& written) {
    std::size_t consumed = 0;
    return ConvertPrefix(in, inSize, out, outSize, consumed, written);
  }

  // Converts as much of `in` as converts; true when that is all of it.
  // `out` must have room for the result.
  bool ConvertPrefix(const char* in, std::size_t inSize, char* out, std::size_t outSize, std::size_t& consumed,
                     std::size_t& written) {
    consumed = written = 0;
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in);
    char* dst = out;
    std::size_t inLeft = inSize;
    std::size_t outLeft = outSize;
    const std::size_t rc = iconv(cd_, &src, &inLeft, &dst, &outLeft);
    consumed = inSize - inLeft;
    written = outSize - outLeft;
    return rc != static_cast<std::size_t>(-1) && inLeft == 0;
  }

 private:
  iconv_t cd_;
};

Converter& FromGbk() {
  thread_local Converter converter("UTF-16LE", "CP936");
  return converter;
}

Converter& ToGbk() {
  thread_local Converter converter("CP936", "UTF-16LE");
  return converter;
}

void AppendUnits(std::u16string& out, const char* bytes, std::size_t size) {
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    out += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                 static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
}

}  // namespace

std::u16string GbkToUtf16(std::string_view gbk) {
  std::u16string out;
  std::string buffer(gbk.size() * 2 + 4, '\0');
  std::size_t written = 0;
  if (FromGbk().Convert(gbk.data(), gbk.size(), buffer.data(), buffer.size(), written)) {
    AppendUnits(out, buffer.data(), written);
    return out;
  }
  // Character by character: a pair that does not convert gives "?" for its
  // first byte, and the second byte is read again on its own, so that ASCII
  // behind a stray lead byte survives.
  out.clear();
  for (std::size_t at = 0; at < gbk.size();) {
    const std::size_t width = GbkCharLength(gbk, at);
    char units[8];
    if (FromGbk().Convert(gbk.data() + at, width, units, sizeof units, written) && written >= 2) {
      AppendUnits(out, units, written);
      at += width;
    } else {
      out += u'?';
      at += 1;
    }
  }
  return out;
}

std::string Utf16ToGbk(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 2);
  std::string input;  // UTF-16LE bytes
  input.reserve(utf16.size() * 2);
  for (char16_t unit : utf16) {
    input += static_cast<char>(unit & 0xFF);
    input += static_cast<char>(unit >> 8);
  }
  // Converts run by run: iconv stops at a unit GBK cannot hold, which becomes
  // "?" (one per UTF-16 unit, as Windows does), and the rest continues.
  std::size_t at = 0;
  while (at < input.size()) {
    const std::size_t base = out.size();
    out.resize(base + (input.size() - at) + 8);
    std::size_t consumed = 0;
    std::size_t written = 0;
    const bool whole = ToGbk().ConvertPrefix(input.data() + at, input.size() - at, out.data() + base,
                                             out.size() - base, consumed, written);
    out.resize(base + written);
    at += consumed;
    if (whole) break;
    const char16_t unit = utf16[at / 2];
    out += unit == u'\u20AC' ? '\x80' : '?';  // Windows' code page 936 has the euro sign at 0x80
    at += 2;
  }
  return out;
}

}  // namespace orvanta
