#!/usr/bin/env bash
# Builds the optimised native tree and runs the benchmarks, each beside its
# yardstick. Numbers only: nothing here passes or fails on speed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" >/dev/null
"$root/scripts/build.sh" native-release >/dev/null
out="$root/build/native-release/bench"
mkdir -p "$out"

"$root/build/native-release/tests/bench/cipher_bench" --benchmark_out="$out/cipher.json" --benchmark_out_format=json
node "$root/tests/bench/cipher_vs_cryptojs.js" "$out/cipher.json"
