#include <windows.h>
#include <bcrypt.h>

#include "crypto_primitives.h"
#include "win/unique_handle.h"

namespace orvanta {
namespace {

void CloseAlgorithm(BCRYPT_ALG_HANDLE handle) { BCryptCloseAlgorithmProvider(handle, 0); }
void DestroyHash(BCRYPT_HASH_HANDLE handle) { BCryptDestroyHash(handle); }
void DestroyKey(BCRYPT_KEY_HANDLE handle) { BCryptDestroyKey(handle); }

using UniqueAlgorithm = UniqueHandle<BCRYPT_ALG_HANDLE, CloseAlgorithm>;
using UniqueHash = UniqueHandle<BCRYPT_HASH_HANDLE, DestroyHash>;
using UniqueKey = UniqueHandle<BCRYPT_KEY_HANDLE, DestroyKey>;

// Providers are opened once per process: opening one is the costly step.
UniqueAlgorithm OpenMd5() {
  UniqueAlgorithm algorithm;
  if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(algorithm.put(), BCRYPT_MD5_ALGORITHM, nullptr, 0))) return {};
  return algorithm;
}

UniqueAlgorithm OpenAesCbc() {
  UniqueAlgorithm algorithm;
  if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(algorithm.put(), BCRYPT_AES_ALGORITHM, nullptr, 0))) return {};
  auto* mode = reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(BCRYPT_CHAIN_MODE_CBC));
  if (!BCRYPT_SUCCESS(BCryptSetProperty(algorithm.get(), BCRYPT_CHAINING_MODE, mode,
                                        sizeof(BCRYPT_CHAIN_MODE_CBC), 0))) {
    return {};
  }
  return algorithm;
}

}  // namespace

bool Md5(std::string_view data, Md5Digest& digest) {
  static const UniqueAlgorithm algorithm = OpenMd5();
  if (!algorithm) return false;
  UniqueHash hash;
  return BCRYPT_SUCCESS(BCryptCreateHash(algorithm.get(), hash.put(), nullptr, 0, nullptr, 0, 0)) &&
         BCRYPT_SUCCESS(BCryptHashData(hash.get(), reinterpret_cast<PUCHAR>(const_cast<char*>(data.data())),
                                       static_cast<ULONG>(data.size()), 0)) &&
         BCRYPT_SUCCESS(BCryptFinishHash(hash.get(), digest.data(), static_cast<ULONG>(digest.size()), 0));
}

bool Aes128Cbc(bool encrypt, const AesBlock& key, const AesBlock& iv, std::string_view data, std::string& out) {
  out.clear();
  static const UniqueAlgorithm algorithm = OpenAesCbc();
  if (!algorithm || data.size() % 16 != 0) return false;
  UniqueKey handle;
  if (!BCRYPT_SUCCESS(BCryptGenerateSymmetricKey(algorithm.get(), handle.put(), nullptr, 0,
                                                 const_cast<PUCHAR>(key.data()), static_cast<ULONG>(key.size()),
                                                 0))) {
    return false;
  }
  if (data.empty()) return true;
  AesBlock chain = iv;  // BCrypt updates the IV buffer in place
  out.resize(data.size());
  ULONG written = 0;
  auto* input = reinterpret_cast<PUCHAR>(const_cast<char*>(data.data()));
  auto* output = reinterpret_cast<PUCHAR>(out.data());
  const auto size = static_cast<ULONG>(data.size());
  const NTSTATUS status =
      encrypt ? BCryptEncrypt(handle.get(), input, size, nullptr, chain.data(), 16, output, size, &written, 0)
              : BCryptDecrypt(handle.get(), input, size, nullptr, chain.data(), 16, output, size, &written, 0);
  if (!BCRYPT_SUCCESS(status) || written != size) {
    out.clear();
    return false;
  }
  return true;
}

}  // namespace orvanta
