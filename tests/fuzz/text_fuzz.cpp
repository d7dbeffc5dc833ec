// Arbitrary bytes into everything that cuts or decrypts outside data: the
// envelope, the cipher, and the text cuts with arbitrary delimiters.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "gbk_text.h"
#include "text_cipher.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  // The whole input as a stored or received envelope.
  const orvanta::CipherEnvelope envelope = orvanta::CipherEnvelope::Split(input);
  const std::string plain = envelope.Open();
  if (!plain.empty() &&
      orvanta::DecryptText(orvanta::EncryptText(plain, envelope.passPhrase), envelope.passPhrase) != plain) {
    __builtin_trap();
  }

  // The input split into text, delimiter and start by its first two bytes.
  if (size < 2) return 0;
  const std::size_t delimiterLength = data[0] % 8;
  const long long start = static_cast<long long>(static_cast<std::int8_t>(data[1]));
  const std::string_view rest = input.substr(2);
  const std::string_view delimiter = rest.substr(0, delimiterLength);
  const std::string_view text = rest.substr(delimiter.size());
  for (bool ignoreCase : {false, true}) {
    const std::string before = orvanta::TextBefore(text, delimiter, start, ignoreCase);
    const std::string after = orvanta::TextAfter(text, delimiter, start, ignoreCase);
    if (before.size() > text.size() || after.size() > text.size()) __builtin_trap();
    const std::string replaced = orvanta::ReplacePairs(
        text, {{delimiter, "<>"}, {"<", delimiter}},
        {.count = start % 4 - 1, .start = start, .caseSensitive = !ignoreCase});
    // Nothing is replaced in front of the start position.
    const auto kept = static_cast<std::size_t>(std::max(0LL, std::min<long long>(start - 1, text.size())));
    if (replaced.compare(0, kept, text, 0, kept) != 0) __builtin_trap();
  }
  return 0;
}
