// Standard Base64 (RFC 4648 alphabet with "+" and "/", "=" padding).
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

std::string Base64Encode(std::string_view bytes);

// Decodes standard Base64. Padding may be left off; any other character, a
// misplaced "=" or a length that no encoding produces fails (returns false).
bool Base64Decode(std::string_view text, std::string& bytes);

}  // namespace orvanta
