// The envelope cipher: how values travel to and from the site and the
// directory, and how they are stored.
//
// Key material: the pass phrase (as UTF-8) hashed with MD5 to lower-case hex,
// that hex hashed again; its first 16 characters are the IV, its last 16 the
// AES-128 key. The plain text travels as UTF-8, padded with PKCS#7, encrypted
// in CBC mode and written as standard Base64 with no salt header.
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

// The Base64 ciphertext of a GBK text, or "" on failure. The text and the pass
// phrase are encrypted exactly as given.
std::string EncryptText(std::string_view plain, std::string_view passPhrase);

// The GBK plain text, or "" when the ciphertext is not Base64, not whole
// blocks, has bad padding or does not decrypt to UTF-8 (a wrong pass phrase
// almost always lands here). CR LF pairs inside the Base64 text are ignored.
std::string DecryptText(std::string_view cipherText, std::string_view passPhrase);

inline constexpr std::string_view kEnvelopeSeparator = ":@|";

// A pass phrase and a ciphertext, joined as "<pass phrase>:@|<ciphertext>".
struct CipherEnvelope {
  std::string passPhrase;  // the text in front of the first separator
  std::string cipherText;  // the text behind the last separator

  static CipherEnvelope Split(std::string_view envelope);
  // "" on failure, and for a pass phrase that holds the separator.
  static std::string Seal(std::string_view plain, std::string_view passPhrase);
  std::string Open() const { return DecryptText(cipherText, passPhrase); }
};

}  // namespace orvanta
