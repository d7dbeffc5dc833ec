#!/usr/bin/env bash
# A virtual X display (Xvfb) and a Wine prefix of their own for the browser
# tests. Wine makes no window without a display, and a prefix whose desktop
# was opened without one (as `wineboot` does for the shared test prefix) makes
# none on any display until its wineserver ends; so these tests keep apart.
#   wine_display.sh start STATE PREFIX [CMD...]
#       start Xvfb on a free display :70..:79 and note it in STATE, create
#       PREFIX if needed, then run CMD there (a warm-up that opens the desktop)
#   wine_display.sh stop STATE PREFIX
#       end PREFIX's wineserver and the Xvfb noted in STATE
#   wine_display.sh run STATE PREFIX CMD...
#       run CMD with the display noted in STATE and PREFIX; without a live
#       display, on a display and wineserver of its own for this command.
#       Listing the tests (--gtest_list_tests) makes no window: it runs as
#       it is, in the caller's prefix, so that it never waits for a new one.
set -euo pipefail
usage="usage: wine_display.sh start|stop|run STATE PREFIX [command...]"
action=${1:?$usage}
state=${2:?$usage}
callers_prefix=${WINEPREFIX:-}
export WINEPREFIX=${3:?$usage}
shift 3
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}  # no Mono/Gecko install prompts

start_display() {  # writes "display pid" to $1
  local into=$1 n ready pid
  for n in $(seq 70 79); do
    [ -e "/tmp/.X$n-lock" ] && continue
    ready=$(mktemp)
    # Kept off the caller's pipes (ctest waits for them to close);
    # -displayfd reports the display once the server accepts clients.
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -displayfd 3 \
      </dev/null >/dev/null 2>&1 3>"$ready" &
    pid=$!
    for _ in $(seq 100); do
      if [ -s "$ready" ]; then
        rm -f "$ready"
        echo "$n $pid" >"$into"
        return 0
      fi
      kill -0 "$pid" 2>/dev/null || break   # lost the race for :$n
      sleep 0.05
    done
    rm -f "$ready"
    kill "$pid" 2>/dev/null || true
  done
  echo "wine_display.sh: no free display in :70..:79" >&2
  return 1
}

stop_display() {  # ends the Xvfb noted in $1
  local n pid
  [ -f "$1" ] || return 0
  read -r n pid <"$1" || true
  if [ -n "${pid:-}" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ]; then
    kill "$pid" 2>/dev/null || true
  fi
  rm -f "$1"
}

live_display() {  # prints the display noted in $1 if its Xvfb still runs
  local n pid
  [ -f "$1" ] || return 1
  read -r n pid <"$1" || return 1
  [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ] || return 1
  echo "$n"
}

# The prefix's wine processes belong to these tests alone.
end_wine() { wineserver -k >/dev/null 2>&1 </dev/null || true; }

prepare_prefix() {  # on display $1
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    DISPLAY=":$1" wineboot -i </dev/null >/dev/null 2>&1
  fi
}

case "$action" in
  start)
    end_wine
    stop_display "$state"
    start_display "$state"
    read -r n _ <"$state"
    prepare_prefix "$n"
    if [ $# -gt 0 ]; then
      DISPLAY=":$n" "$@" </dev/null >/dev/null 2>&1
    fi
    ;;
  stop)
    end_wine
    stop_display "$state"
    ;;
  run)
    for argument in "$@"; do
      if [ "$argument" = --gtest_list_tests ]; then
        if [ -n "$callers_prefix" ]; then export WINEPREFIX=$callers_prefix; else unset WINEPREFIX; fi
        exec "$@"
      fi
    done
    if n=$(live_display "$state"); then
      DISPLAY=":$n" exec "$@"
    fi
    own=$(mktemp)
    trap 'end_wine; stop_display "$own"' EXIT
    end_wine
    start_display "$own"
    read -r n _ <"$own"
    prepare_prefix "$n"
    rc=0
    DISPLAY=":$n" "$@" || rc=$?
    exit "$rc"
    ;;
  *) echo "wine_display.sh: unknown action $action" >&2; exit 2 ;;
esac
