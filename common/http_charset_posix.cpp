// Body charsets through iconv, for the native build and its tests.
#include <errno.h>
#include <iconv.h>

#include <cstring>

#include "codepage.h"
#include "http_charset.h"

namespace orvanta {
namespace {

// iconv's names for the code pages CharsetCodePage knows.
const char* IconvName(unsigned codePage) {
  switch (codePage) {
    case 936: return "CP936";
    case 65001: return "UTF-8";
    case 54936: return "GB18030";
    case 950: return "BIG5";
    case 28591: return "ISO-8859-1";
    case 1250: return "CP1250";
    case 1251: return "CP1251";
    case 1252: return "CP1252";
    case 1253: return "CP1253";
    case 1254: return "CP1254";
    case 1255: return "CP1255";
    case 1256: return "CP1256";
    case 1257: return "CP1257";
    case 1258: return "CP1258";
    case 932: return "CP932";
    case 949: return "CP949";
    default: return nullptr;
  }
}

class Iconv {
 public:
  explicit Iconv(const char* from) : cd_(iconv_open("UTF-16LE", from)) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

}  // namespace

bool DecodeToGbk(unsigned codePage, std::string_view bytes, std::string& gbk) {
  gbk.clear();
  const char* name = IconvName(codePage);
  if (name == nullptr) return false;
  Iconv converter(name);
  if (!converter.ok()) return false;
  // At most one UTF-16 unit pair per input byte, plus room for the
  // replacement characters of malformed bytes.
  std::u16string utf16(bytes.size() * 2 + 2, u'\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char* out = reinterpret_cast<char*>(utf16.data());
  std::size_t outLeft = utf16.size() * sizeof(char16_t);
  while (inLeft > 0) {
    if (iconv(converter.get(), &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) break;
    // A malformed or truncated sequence: one replacement character for its
    // first byte, then go on behind it.
    if (errno == E2BIG || outLeft < sizeof(char16_t)) return false;
    const char16_t replacement = u'\uFFFD';
    std::memcpy(out, &replacement, sizeof replacement);
    out += sizeof replacement;
    outLeft -= sizeof replacement;
    ++in;
    --inLeft;
  }
  utf16.resize((utf16.size() * sizeof(char16_t) - outLeft) / sizeof(char16_t));
  gbk = Utf16ToGbk(utf16);
  return true;
}

}  // namespace orvanta
