#!/usr/bin/env bash
# A virtual X display (Xvfb) for the browser tests: Wine creates no window
# without one, and the stand-in browser and the fatal error box are windows.
#   with_display.sh start STATE [CMD...]
#                                     start Xvfb on a free display :70..:79, note it in STATE,
#                                     then run CMD on it (a warm-up)
#   with_display.sh stop STATE        end the Xvfb noted in STATE
#   with_display.sh run STATE CMD...  run CMD on the display noted in STATE; without a
#                                     live one, on a display of its own for this command
set -euo pipefail
action=${1:?usage: with_display.sh start|stop|run STATE [command...]}
state=${2:?usage: with_display.sh start|stop|run STATE [command...]}
shift 2

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
  echo "with_display.sh: no free display in :70..:79" >&2
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

case "$action" in
  start)
    stop_display "$state"
    start_display "$state"
    if [ $# -gt 0 ]; then
      read -r n _ <"$state"
      DISPLAY=":$n" "$@" </dev/null >/dev/null 2>&1
    fi
    ;;
  stop) stop_display "$state" ;;
  run)
    if n=$(live_display "$state"); then
      DISPLAY=":$n" exec "$@"
    fi
    own=$(mktemp)
    trap 'stop_display "$own"' EXIT
    start_display "$own"
    read -r n _ <"$own"
    rc=0
    DISPLAY=":$n" "$@" || rc=$?
    exit "$rc"
    ;;
  *) echo "with_display.sh: unknown action $action" >&2; exit 2 ;;
esac
