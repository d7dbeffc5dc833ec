#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests under the
# sanitizers, short fuzzer runs, and the same unit tests cross-built and run
# under Wine. Exits non-zero when any test fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

"$root/scripts/setup.sh"

build_root=${ORVANTA_BUILD_ROOT:-$root/build}

"$root/scripts/build.sh" native-san
(cd "$build_root/native-san" && ctest --output-on-failure -j "$jobs")

"$root/scripts/build.sh" windows
source "$root/scripts/wine-env.sh"
wine_ready
(cd "$build_root/windows" && ctest --output-on-failure -j "$jobs")

echo "all tests passed"
