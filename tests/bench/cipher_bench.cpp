// EncryptText + DecryptText round trips. tests/bench/cipher_vs_cryptojs.sh runs
// this beside crypto-js on the same texts and prints the ratio.
#include <benchmark/benchmark.h>

#include <string>

#include "codepage.h"
#include "text_cipher.h"

namespace {

// The texts crypto-js gets too (as UTF-8): see cipher_vs_cryptojs.js.
std::string BenchText(std::size_t bytes) {
  const std::string unit = orvanta::Gbk(u8"客服消息 hello, 你好! ");  // 24 GBK bytes
  std::string text;
  while (text.size() < bytes) text += unit;
  text.resize(bytes);
  return text;
}

void RoundTrip(benchmark::State& state, std::size_t bytes) {
  const std::string text = BenchText(bytes);
  const std::string pass = "2024061888";
  for (auto _ : state) {
    std::string cipher = orvanta::EncryptText(text, pass);
    std::string plain = orvanta::DecryptText(cipher, pass);
    benchmark::DoNotOptimize(plain);
    if (plain != text) state.SkipWithError("round trip changed the text");
  }
}

}  // namespace

BENCHMARK_CAPTURE(RoundTrip, 16B, 16);
BENCHMARK_CAPTURE(RoundTrip, 1KiB, 1024);

BENCHMARK_MAIN();
