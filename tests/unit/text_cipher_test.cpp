#include "text_cipher.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "base64.h"
#include "codepage.h"
#include "crypto_primitives.h"

namespace orvanta {
namespace {

struct Vector {
  std::string plain;       // GBK
  std::string passPhrase;  // GBK
  std::string cipherText;  // Base64, as crypto-js computed it
};

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return bytes;
}

// The vectors file is written by tests/oracle/cipher_vectors.js before the
// unit tests run (a CTest fixture), in the test's working directory.
std::vector<Vector> LoadVectors() {
  std::ifstream file("cipher_vectors.txt", std::ios::binary);
  std::vector<Vector> vectors;
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    std::string plain, pass, cipher;
    std::getline(fields, plain, '\t');
    std::getline(fields, pass, '\t');
    std::getline(fields, cipher, '\t');
    vectors.push_back({Utf8ToGbk(FromHex(plain)), Utf8ToGbk(FromHex(pass)), cipher});
  }
  return vectors;
}

TEST(TextCipher, AgreesWithCryptoJsInBothDirections) {
  const std::vector<Vector> vectors = LoadVectors();
  ASSERT_GT(vectors.size(), 50u) << "cipher_vectors.txt missing: run the cipher_vectors test first";
  for (const Vector& v : vectors) {
    SCOPED_TRACE("pass phrase '" + v.passPhrase + "', text of " + std::to_string(v.plain.size()) + " bytes");
    EXPECT_EQ(EncryptText(v.plain, v.passPhrase), v.cipherText);
    EXPECT_EQ(DecryptText(v.cipherText, v.passPhrase), v.plain);
  }
}

TEST(TextCipher, EncryptsTheTextExactlyAsGiven) {
  // Line breaks, "eval", placeholders and quotes all survive the round trip.
  const std::string text = "evaluate \"@code@\" \\ @operation@\r\nnext\nline\r" + Gbk(u8"中文");
  const std::string cipher = EncryptText(text, "evil\\pass");
  ASSERT_FALSE(cipher.empty());
  EXPECT_EQ(DecryptText(cipher, "evil\\pass"), text);
}

TEST(TextCipher, EmptyTextIsOneBlock) {
  for (const char* pass : {"", "1", "secret"}) {
    const std::string cipher = EncryptText("", pass);
    EXPECT_EQ(cipher.size(), 24u) << pass;
    EXPECT_EQ(DecryptText(cipher, pass), "");
  }
}

TEST(TextCipher, DecryptIgnoresCrLfPairsInTheBase64Text) {
  const std::string cipher = EncryptText("a longer text that spans several blocks", "k");
  const std::string wrapped = cipher.substr(0, 10) + "\r\n" + cipher.substr(10, 20) + "\r\n" + cipher.substr(30);
  EXPECT_EQ(DecryptText(wrapped, "k"), "a longer text that spans several blocks");
  EXPECT_EQ(DecryptText(cipher.substr(0, 10) + "\n" + cipher.substr(10), "k"), "");
}

TEST(TextCipher, WrongPassPhraseGivesEmptyText) {
  // Many texts, so that one whose wrong-key padding happens to look valid
  // would still have to pass the UTF-8 check.
  for (int i = 0; i < 200; ++i) {
    const std::string text = "message " + std::to_string(i) + Gbk(u8" 你好");
    const std::string cipher = EncryptText(text, "right");
    EXPECT_EQ(DecryptText(cipher, "wrong"), "") << text;
  }
}

// Encrypts raw bytes with the key the pass phrase gives, skipping the padding
// and UTF-8 steps, to build malformed plaintexts.
std::string EncryptRaw(const std::string& bytes, const std::string& pass) {
  Md5Digest digest;
  std::string hex;
  auto toHex = [&](std::string_view data) {
    EXPECT_TRUE(Md5(data, digest));
    hex.clear();
    for (auto b : digest) {
      hex += "0123456789abcdef"[b >> 4];
      hex += "0123456789abcdef"[b & 15];
    }
  };
  toHex(pass);
  toHex(hex);
  AesBlock iv, key;
  std::copy(hex.begin(), hex.begin() + 16, iv.begin());
  std::copy(hex.begin() + 16, hex.end(), key.begin());
  std::string out;
  EXPECT_TRUE(Aes128Cbc(true, key, iv, bytes, out));
  return Base64Encode(out);
}

TEST(TextCipher, DecryptRejectsMalformedPlaintexts) {
  const struct {
    const char* name;
    std::string bytes;
    std::string expected;
  } cases[] = {
      {"well formed", std::string("0123456789abc") + "\x03\x03\x03", "0123456789abc"},
      {"full padding block", std::string("0123456789abcdef") + std::string(16, '\x10'), "0123456789abcdef"},
      {"padding byte 0", std::string("0123456789abcde") + '\0', ""},
      {"padding longer than a block", std::string("0123456789abcde") + "\x11", ""},
      {"padding bytes disagree", std::string("0123456789abc") + "\x01\x02\x03", ""},
      {"not UTF-8 inside", std::string("abc\xFF\xFE") + std::string(11, '\x0B'), ""},
      {"overlong UTF-8 inside", std::string("\xC0\xAF") + std::string(14, '\x0E'), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecryptText(EncryptRaw(c.bytes, "p"), "p"), c.expected);
  }
}

TEST(TextCipher, DecryptRejectsTextsThatAreNotWholeBlocks) {
  for (const char* bad : {"", "!!!!", "AAAA", "AAAAAAAAAAAAAAAAAAAAAAAAAA==", "not base64 at all"}) {
    EXPECT_EQ(DecryptText(bad, "p"), "") << bad;
  }
}

TEST(TextCipher, UnmappableDecryptedCharactersBecomeQuestionMarks) {
  // crypto-js on the site can encrypt any Unicode text; GBK holds less.
  const std::string hangul = "\xED\x95\x9C";  // UTF-8 of a Hangul syllable
  std::string data = "a" + hangul + "b";
  data.append(16 - data.size() % 16, static_cast<char>(16 - data.size() % 16));
  EXPECT_EQ(DecryptText(EncryptRaw(data, "p"), "p"), "a?b");
}

TEST(CipherEnvelope, SplitsAtFirstAndLastSeparator) {
  const struct {
    std::string envelope, passPhrase, cipherText;
  } cases[] = {
      {"1001:@|abc=", "1001", "abc="},
      {":@|abc", "", "abc"},
      {"a:@|b:@|c", "a", "c"},
      {"no separator", "", ""},
      {"", "", ""},
      {"pass:@|", "pass", ""},
  };
  for (const auto& c : cases) {
    const CipherEnvelope envelope = CipherEnvelope::Split(c.envelope);
    EXPECT_EQ(envelope.passPhrase, c.passPhrase) << c.envelope;
    EXPECT_EQ(envelope.cipherText, c.cipherText) << c.envelope;
  }
}

TEST(CipherEnvelope, SealsAndOpens) {
  const std::string sealed = CipherEnvelope::Seal("{\"code\":200}", "4321");
  ASSERT_EQ(sealed.rfind("4321:@|", 0), 0u);
  EXPECT_EQ(CipherEnvelope::Split(sealed).Open(), "{\"code\":200}");
  EXPECT_EQ(CipherEnvelope::Seal("x", "a:@|b"), "");
  EXPECT_EQ(CipherEnvelope::Split("garbage").Open(), "");
}

}  // namespace
}  // namespace orvanta
