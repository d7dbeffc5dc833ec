#!/usr/bin/env bash
# Builds both programs and lays out dist/ exactly as users receive it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh"
"$root/scripts/build.sh" windows

rm -rf "$root/dist"
cp -a "${ORVANTA_BUILD_ROOT:-$root/build}/windows/dist" "$root/dist"
echo "dist/ is ready: $(cd "$root/dist" && ls)"
