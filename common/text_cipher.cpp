#include "text_cipher.h"

#include <algorithm>

#include "base64.h"
#include "codepage.h"
#include "crypto_primitives.h"
#include "gbk_text.h"

namespace orvanta {
namespace {

constexpr std::size_t kBlock = 16;

struct CipherKey {
  AesBlock key;
  AesBlock iv;
};

void AppendLowerHex(const Md5Digest& digest, char* out) {
  static constexpr char kHex[] = "0123456789abcdef";
  for (std::size_t i = 0; i < digest.size(); ++i) {
    out[2 * i] = kHex[digest[i] >> 4];
    out[2 * i + 1] = kHex[digest[i] & 15];
  }
}

bool ComputeKey(std::string_view passPhrase, CipherKey& out) {
  Md5Digest digest;
  char hex[32];
  if (!Md5(GbkToUtf8(passPhrase), digest)) return false;
  AppendLowerHex(digest, hex);
  if (!Md5(std::string_view(hex, sizeof hex), digest)) return false;
  AppendLowerHex(digest, hex);
  // The key bytes are the hex digits themselves, not the values they spell.
  std::copy(hex, hex + kBlock, out.iv.begin());
  std::copy(hex + kBlock, hex + 2 * kBlock, out.key.begin());
  return true;
}

// The same pass phrase comes back call after call (the stored site entry, the
// replies to one visitor), so the last key is kept.
bool DeriveKey(std::string_view passPhrase, CipherKey& out) {
  thread_local std::string lastPassPhrase;
  thread_local CipherKey lastKey;
  thread_local bool haveLast = false;
  if (!haveLast || lastPassPhrase != passPhrase) {
    haveLast = false;
    if (!ComputeKey(passPhrase, lastKey)) return false;
    lastPassPhrase.assign(passPhrase);
    haveLast = true;
  }
  out = lastKey;
  return true;
}

}  // namespace

std::string EncryptText(std::string_view plain, std::string_view passPhrase) {
  CipherKey key;
  if (!DeriveKey(passPhrase, key)) return {};
  std::string data = GbkToUtf8(plain);
  const std::size_t pad = kBlock - data.size() % kBlock;
  data.append(pad, static_cast<char>(pad));
  std::string encrypted;
  if (!Aes128Cbc(true, key.key, key.iv, data, encrypted)) return {};
  return Base64Encode(encrypted);
}

std::string DecryptText(std::string_view cipherText, std::string_view passPhrase) {
  std::string encrypted;
  // Line-wrapped Base64 is read as one line.
  const bool wrapped = cipherText.find("\r\n") != std::string_view::npos;
  const std::string unwrapped = wrapped ? ReplacePairs(cipherText, {{"\r\n", ""}}) : std::string();
  if (!Base64Decode(wrapped ? std::string_view(unwrapped) : cipherText, encrypted) || encrypted.empty() || encrypted.size() % kBlock != 0) return {};
  CipherKey key;
  std::string data;
  if (!DeriveKey(passPhrase, key) || !Aes128Cbc(false, key.key, key.iv, encrypted, data)) return {};
  // PKCS#7: the last byte gives the length, and every padding byte repeats it.
  const auto pad = static_cast<unsigned char>(data.back());
  if (pad == 0 || pad > kBlock) return {};
  for (std::size_t i = data.size() - pad; i < data.size(); ++i) {
    if (static_cast<unsigned char>(data[i]) != pad) return {};
  }
  data.resize(data.size() - pad);
  std::string plain;
  if (!DecodeUtf8ToGbk(data, plain)) return {};  // also what a wrong pass phrase almost always gives
  return plain;
}

CipherEnvelope CipherEnvelope::Split(std::string_view envelope) {
  return {TextBefore(envelope, kEnvelopeSeparator), TextAfter(envelope, kEnvelopeSeparator)};
}

std::string CipherEnvelope::Seal(std::string_view plain, std::string_view passPhrase) {
  // A pass phrase holding the separator could not be split off again.
  if (passPhrase.find(kEnvelopeSeparator) != std::string_view::npos) return {};
  std::string cipherText = EncryptText(plain, passPhrase);
  if (cipherText.empty()) return {};
  return std::string(passPhrase) + std::string(kEnvelopeSeparator) + cipherText;
}

}  // namespace orvanta
