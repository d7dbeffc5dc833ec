// The platform's code page 936, one character at a time. Used only to fill the
// conversion tables in codepage.cpp.
#pragma once

#include <string_view>

namespace orvanta {

// Decodes `bytes` (one or two bytes) as exactly one GBK character into one
// UTF-16 unit; false when the platform does not define it.
bool DecodeGbkCharacter(std::string_view bytes, char16_t& unit);

}  // namespace orvanta
