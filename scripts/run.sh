#!/usr/bin/env bash
# Builds both programs and lays out dist/ exactly as users receive it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh"
"$root/scripts/build.sh" windows

dist="$root/dist"
rm -rf "$dist"
mkdir -p "$dist/config"
cp "$root/build/windows/launcher/launcher.exe" "$root/build/windows/client/tesmor.dll" "$dist/"
echo "dist/ is ready: $(cd "$dist" && ls)"
