#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests under the
# sanitizers, short fuzzer runs, the same unit tests cross-built and run
# under Wine, and the end-to-end scenarios. Exits non-zero when any test fails.
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

# End to end: the programs under Wine on virtual displays, driven by the
# probe (tests/e2e/README.md). One test at a time: each runs a whole Wine
# desktop of its own.
ORVANTA_BUILD_ROOT="$build_root" \
ORVANTA_DIST="$build_root/windows/dist" \
ORVANTA_PROBE_EXE="$build_root/windows/tools/probe/probe.exe" \
ORVANTA_SAMPLE_APP_EXE="$build_root/windows/tests/e2e/fixtures/sample_app/sample_app.exe" \
  node --test --test-concurrency=1 "$root"/tests/e2e/*.test.js

echo "all tests passed"
