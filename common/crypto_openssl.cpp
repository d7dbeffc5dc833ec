#include <openssl/evp.h>

#include <memory>

#include "crypto_primitives.h"

namespace orvanta {
namespace {

// Algorithms fetched once: an implicit fetch per call would dominate the cost
// of a short text.
const EVP_MD* Md5Algorithm() {
  static EVP_MD* const md = EVP_MD_fetch(nullptr, "MD5", nullptr);
  return md;
}

const EVP_CIPHER* AesAlgorithm() {
  static EVP_CIPHER* const cipher = EVP_CIPHER_fetch(nullptr, "AES-128-CBC", nullptr);
  return cipher;
}

struct CipherContextDeleter {
  void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};

// One context per direction and thread, keeping its expanded key: a call with
// the key of the call before only sets the IV, which is most of the saving on
// short texts.
class KeyedContext {
 public:
  explicit KeyedContext(bool encrypt) : context_(EVP_CIPHER_CTX_new()), encrypt_(encrypt) {}

  EVP_CIPHER_CTX* Prepare(const AesBlock& key, const AesBlock& iv) {
    if (!context_ || AesAlgorithm() == nullptr) return nullptr;
    const bool sameKey = keyed_ && key == key_;
    keyed_ = false;
    const int ok = sameKey ? EVP_CipherInit_ex2(context_.get(), nullptr, nullptr, iv.data(), encrypt_, nullptr)
                           : EVP_CipherInit_ex2(context_.get(), AesAlgorithm(), key.data(), iv.data(), encrypt_,
                                                nullptr);
    if (ok != 1 || EVP_CIPHER_CTX_set_padding(context_.get(), 0) != 1) return nullptr;
    key_ = key;
    keyed_ = true;
    return context_.get();
  }

 private:
  std::unique_ptr<EVP_CIPHER_CTX, CipherContextDeleter> context_;
  const int encrypt_;
  AesBlock key_{};
  bool keyed_ = false;
};

}  // namespace

bool Md5(std::string_view data, Md5Digest& digest) {
  unsigned int size = 0;
  return Md5Algorithm() != nullptr &&
         EVP_Digest(data.data(), data.size(), digest.data(), &size, Md5Algorithm(), nullptr) == 1 &&
         size == digest.size();
}

bool Aes128Cbc(bool encrypt, const AesBlock& key, const AesBlock& iv, std::string_view data, std::string& out) {
  out.clear();
  if (data.size() % 16 != 0) return false;
  thread_local KeyedContext encryptor(true), decryptor(false);
  EVP_CIPHER_CTX* context = (encrypt ? encryptor : decryptor).Prepare(key, iv);
  if (context == nullptr) return false;
  out.resize(data.size());
  int written = 0;
  if (!data.empty() &&
      EVP_CipherUpdate(context, reinterpret_cast<unsigned char*>(out.data()), &written,
                       reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size())) != 1) {
    out.clear();
    return false;
  }
  return static_cast<std::size_t>(written) == data.size();
}

}  // namespace orvanta
