#include "directory_lookup.h"

#include "gbk_text.h"
#include "text_cipher.h"

namespace orvanta {

std::string DirectoryQuery(std::string_view serverNumber) {
  // By GBK character: a trail byte 0x5C inside a Chinese character is no backslash.
  std::string escaped = ReplacePairs(serverNumber, {{"\\", "\\\\"}, {"\"", "\\\""}}, {.caseSensitive = true});
  // Control characters cannot stand in a JSON string as they are.
  std::string number;
  for (char c : escaped) {
    if (static_cast<unsigned char>(c) < 0x20) {
      static constexpr char kHex[] = "0123456789abcdef";
      number += "\\u00";
      number += kHex[(c >> 4) & 15];
      number += kHex[c & 15];
    } else {
      number += c;
    }
  }
  return ReplacePairs("{\"domainid\":\"@domainid@\"}", {{"@domainid@", number}});
}

std::string DirectoryRequestUrl(std::string_view host, std::string_view serverNumber) {
  const std::string envelope = CipherEnvelope::Seal(DirectoryQuery(serverNumber), kDirectoryPassPhrase);
  if (envelope.empty()) return {};
  return "https://" + std::string(host) + "/api/domaincheckid?data=" + envelope;
}

}  // namespace orvanta
