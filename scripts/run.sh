#!/usr/bin/env bash
# Builds both programs, lays out dist/ exactly as users receive it, and shows
# the client binding to a site under Wine against the local demo directory
# service (screenshots in artifacts/e2e/demo/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh"
"$root/scripts/build.sh" windows

rm -rf "$root/dist"
cp -a "${ORVANTA_BUILD_ROOT:-$root/build}/windows/dist" "$root/dist"
echo "dist/ is ready: $(cd "$root/dist" && ls)"

ORVANTA_DIST="$root/dist" node "$root/scripts/demo.js"
