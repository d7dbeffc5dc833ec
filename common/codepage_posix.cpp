// Code page 936 from iconv, for the native build and its tests.
#include <iconv.h>

#include "codepage_platform.h"

namespace orvanta {

bool DecodeGbkCharacter(std::string_view bytes, char16_t& unit) {
  static const iconv_t cd = iconv_open("UTF-16LE", "CP936");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  unsigned char out[8];
  char* outPointer = reinterpret_cast<char*>(out);
  std::size_t outLeft = sizeof out;
  if (iconv(cd, &in, &inLeft, &outPointer, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0 ||
      sizeof out - outLeft != 2) {
    return false;
  }
  unit = static_cast<char16_t>(out[0] | out[1] << 8);
  return true;
}

}  // namespace orvanta
