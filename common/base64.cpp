#include "base64.h"

#include <array>
#include <cstring>

namespace orvanta {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<signed char, 256> MakeDecodeTable() {
  std::array<signed char, 256> table{};
  for (auto& entry : table) entry = -1;
  for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<signed char>(i);
  return table;
}

constexpr auto kDecode = MakeDecodeTable();

// Two output characters per 12 input bits: half the lookups of one per 6.
constexpr std::array<char, 2 * 4096> MakePairTable() {
  std::array<char, 2 * 4096> table{};
  for (int i = 0; i < 4096; ++i) {
    table[2 * i] = kAlphabet[i >> 6];
    table[2 * i + 1] = kAlphabet[i & 63];
  }
  return table;
}

constexpr auto kPairs = MakePairTable();

}  // namespace

std::string Base64Encode(std::string_view bytes) {
  std::string out((bytes.size() + 2) / 3 * 4, '\0');
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  char* o = out.data();
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3, o += 4) {
    const unsigned v = in[i] << 16 | in[i + 1] << 8 | in[i + 2];
    std::memcpy(o, &kPairs[2 * (v >> 12)], 2);
    std::memcpy(o + 2, &kPairs[2 * (v & 4095)], 2);
  }
  if (const std::size_t rest = bytes.size() - i; rest > 0) {
    const unsigned v = in[i] << 16 | (rest == 2 ? in[i + 1] << 8 : 0);
    o[0] = kAlphabet[v >> 18];
    o[1] = kAlphabet[(v >> 12) & 63];
    o[2] = rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
    o[3] = '=';
  }
  return out;
}

bool Base64Decode(std::string_view text, std::string& bytes) {
  bytes.clear();
  std::size_t length = text.size();
  if (length % 4 == 0 && length > 0 && text[length - 1] == '=') {
    --length;
    if (text[length - 1] == '=') --length;
  }
  if (length % 4 == 1) return false;
  bytes.resize(length / 4 * 3 + (length % 4 == 0 ? 0 : length % 4 - 1));
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  char* o = bytes.data();
  std::size_t i = 0;
  for (; i + 4 <= length; i += 4, o += 3) {
    const int a = kDecode[in[i]], b = kDecode[in[i + 1]], c = kDecode[in[i + 2]], d = kDecode[in[i + 3]];
    if ((a | b | c | d) < 0) return false;
    const unsigned v = static_cast<unsigned>(a << 18 | b << 12 | c << 6 | d);
    o[0] = static_cast<char>(v >> 16);
    o[1] = static_cast<char>(v >> 8);
    o[2] = static_cast<char>(v);
  }
  if (const std::size_t rest = length - i; rest > 0) {  // 2 or 3 characters: 1 or 2 bytes
    const int a = kDecode[in[i]], b = kDecode[in[i + 1]], c = rest == 3 ? kDecode[in[i + 2]] : 0;
    if ((a | b | c) < 0) return false;
    const unsigned v = static_cast<unsigned>(a << 18 | b << 12 | c << 6);
    o[0] = static_cast<char>(v >> 16);
    if (rest == 3) o[1] = static_cast<char>(v >> 8);
  }
  return true;
}

}  // namespace orvanta
