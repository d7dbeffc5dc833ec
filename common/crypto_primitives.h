// The two cryptographic primitives the envelope cipher needs, behind one seam:
// OpenSSL natively, BCrypt on Windows.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

using Md5Digest = std::array<std::uint8_t, 16>;
using AesBlock = std::array<std::uint8_t, 16>;

bool Md5(std::string_view data, Md5Digest& digest);

// AES-128 in CBC mode over whole blocks, without padding (the caller pads and
// checks the padding). `data.size()` must be a multiple of 16.
bool Aes128Cbc(bool encrypt, const AesBlock& key, const AesBlock& iv, std::string_view data, std::string& out);

}  // namespace orvanta
