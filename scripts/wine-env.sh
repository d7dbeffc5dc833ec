# Sourced by the scripts: a Wine prefix of the project's own under build/, so
# tests never touch the user's ~/.wine. Starts a persistent wineserver with its
# output detached: a wine call that starts the server itself keeps the
# caller's pipes open (ctest would wait for them).
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
build_root=${ORVANTA_BUILD_ROOT:-$root/build}
export WINEPREFIX="$build_root/wine/prefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono/Gecko install prompts

wine_ready() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >"$build_root/wine/wineboot.log" 2>&1 </dev/null
  fi
  wineserver -p >/dev/null 2>&1 </dev/null
  # Wine's own services (explorer, services.exe) start with the first program;
  # start them here, detached, rather than under a test.
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}
