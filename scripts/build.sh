#!/usr/bin/env bash
# Configures and builds one build tree under build/:
#   native-san      clang, AddressSanitizer + UBSan, unit tests and fuzzers
#   native-release  gcc, optimised, benchmarks
#   windows         MinGW-w64 i686: launcher.exe, tesmor.dll, tools, unit tests
#                   (the test and demo build: directory service on 127.0.0.1)
#   release         MinGW-w64 i686 as shipped: the vendor's directory service
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=${1:?usage: build.sh native-san|native-release|windows|release}
# ORVANTA_BUILD_ROOT lets parallel work keep separate trees (default: build/).
dir="${ORVANTA_BUILD_ROOT:-$root/build}/$tree"

case "$tree" in
  native-san)
    args=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug
          -DORVANTA_SANITIZE=ON -DORVANTA_FUZZ=ON) ;;
  native-release)
    args=(-DCMAKE_BUILD_TYPE=Release -DORVANTA_BENCH=ON) ;;
  windows)
    # The test and demo build: the directory service is a local HTTPS server
    # (tests/e2e/lib/directory_service.js).
    args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" -DCMAKE_BUILD_TYPE=Release
          -DORVANTA_DIRECTORY_HOST=127.0.0.1:18643) ;;
  release)
    args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" -DCMAKE_BUILD_TYPE=Release) ;;
  *) echo "unknown tree: $tree" >&2; exit 2 ;;
esac

# Configured every time, so a tree made before a setting changed follows it.
cmake -S "$root" -B "$dir" -G Ninja "${args[@]}" >/dev/null
cmake --build "$dir"
