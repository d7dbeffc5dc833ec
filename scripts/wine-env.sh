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
    # wineboot's own server is not persistent: let it end before ours starts.
    wineserver -w
  fi
  # Exit status 2: a server already runs for the prefix (ours, kept from an
  # earlier run), which is what is wanted.
  wineserver -p >/dev/null 2>&1 </dev/null || [ $? -eq 2 ]
  # Wine's own services (explorer, services.exe) start with the first program;
  # start them here, detached, rather than under a test.
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}
