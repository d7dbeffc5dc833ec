#!/usr/bin/env bash
# Configures and builds one build tree under build/:
#   native-san      clang, AddressSanitizer + UBSan, unit tests and fuzzers
#   native-release  gcc, optimised, benchmarks
#   windows         MinGW-w64 i686: launcher.exe, tesmor.dll, tools, unit tests
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=${1:?usage: build.sh native-san|native-release|windows}
# ORVANTA_BUILD_ROOT lets parallel work keep separate trees (default: build/).
dir="${ORVANTA_BUILD_ROOT:-$root/build}/$tree"

case "$tree" in
  native-san)
    args=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug
          -DORVANTA_SANITIZE=ON -DORVANTA_FUZZ=ON) ;;
  native-release)
    args=(-DCMAKE_BUILD_TYPE=Release -DORVANTA_BENCH=ON) ;;
  windows)
    args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" -DCMAKE_BUILD_TYPE=Release) ;;
  *) echo "unknown tree: $tree" >&2; exit 2 ;;
esac

if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$root" -B "$dir" -G Ninja "${args[@]}" >/dev/null
fi
cmake --build "$dir"
