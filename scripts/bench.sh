#!/usr/bin/env bash
# Builds the optimised native tree and runs the benchmarks, each beside its
# yardstick. Numbers only: nothing here passes or fails on speed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" >/dev/null
"$root/scripts/build.sh" native-release >/dev/null
tree="${ORVANTA_BUILD_ROOT:-$root/build}/native-release"
out="$tree/bench"
mkdir -p "$out"

"$tree/tests/bench/cipher_bench" --benchmark_out="$out/cipher.json" --benchmark_out_format=json
node "$root/tests/bench/cipher_vs_cryptojs.js" "$out/cipher.json"

# The JSON document beside RapidJSON, and how both grow with the text (2 KiB
# to 8 MiB). Five repetitions: the script reads the fastest of each.
"$tree/tests/bench/json_bench" --benchmark_repetitions=5 --benchmark_out="$out/json.json" \
  --benchmark_out_format=json >/dev/null
node "$root/tests/bench/json_vs_rapidjson.js" "$out/json.json"
