#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test both programs,
# and fetches the dependency sources the build compiles. Safe to run again: it
# only does the steps whose result is missing.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)

# One run at a time: two at once would race in apt and npm.
exec 9>"/tmp/orvanta-setup.lock"
flock 9
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

packages=(
  # cross build for 32-bit Windows, and running the result
  g++-mingw-w64-i686-posix libz-mingw-w64-dev wine wine32:i386 xvfb
  fonts-wqy-microhei fonts-wine imagemagick locales
  # native build, tests, sanitizers, fuzzers, benchmarks
  cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev
  libbenchmark-dev libssl-dev rapidjson-dev
  # test servers and oracles
  nodejs openssl
  # dependency sources
  dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  # The image ships only 'main'; UnRAR's source lives in 'non-free', and
  # 'apt-get source' needs deb-src entries.
  # Our entries must carry the same Signed-By as the image's own entries for
  # the same archive, or apt refuses the whole source list.
  list=/etc/apt/sources.list.d/orvanta-sources.sources
  if [ ! -f "$list" ]; then
    keyring=$(grep -rhs -m1 -i '^Signed-By:' /etc/apt/sources.list.d/*.sources | head -n1 | sed 's/^[^:]*: *//' || true)
    {
      echo "Types: deb"
      echo "URIs: http://deb.debian.org/debian"
      echo "Suites: bookworm"
      echo "Components: non-free"
      [ -n "$keyring" ] && echo "Signed-By: $keyring"
      echo
      echo "Types: deb-src"
      echo "URIs: http://deb.debian.org/debian"
      echo "Suites: bookworm"
      echo "Components: main non-free"
      [ -n "$keyring" ] && echo "Signed-By: $keyring"
    } | $sudo tee "$list" >/dev/null
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine takes the Windows locale from the Unix one; the end-to-end tests run
# the programs as on Chinese Windows (code page 936), which needs this locale.
if ! locale -a 2>/dev/null | grep -ix 'zh_CN.utf8' >/dev/null; then
  $sudo sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -qx 'zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi

# Dependency sources: zlib (minizip) and UnRAR, unpacked under .deps/src.
src="$root/.deps/src"
mkdir -p "$src"
fetch_source() {  # package, folder glob that proves it is there
  local pkg=$1 glob=$2
  if ! compgen -G "$src/$glob" >/dev/null; then
    (cd "$src" && apt-get source -qq "$pkg" >/dev/null)
  fi
}
if ! grep -rqs -E "^(deb-src|Types: deb-src)" /etc/apt/sources.list /etc/apt/sources.list.d/; then
  echo "setup: no deb-src entries; cannot fetch sources" >&2
  exit 1
fi
fetch_source zlib 'zlib-*/contrib/minizip'
fetch_source unrar-nonfree 'unrar-nonfree-*/dll.cpp'

# Node packages the tests use (oracles and corpora), pinned by the lock file.
# A stamp written after a complete install tells that it is there: a bare
# node_modules folder may be what an interrupted install left.
node_dir="$root/tests/node"
stamp="$node_dir/node_modules/.installed"
if [ ! -f "$stamp" ] || [ "$node_dir/package-lock.json" -nt "$stamp" ]; then
  (cd "$node_dir" && npm ci --silent --no-audit --no-fund && touch "$stamp")
fi

echo "setup: ready"
