#!/usr/bin/env bash
# The X display and Wine prefix shared by the tests that run under Wine: start, run a program in them, stop.
# Usage: wine_session.sh start|stop STATE_DIR   or   wine_session.sh run STATE_DIR PROGRAM [ARGS...]
set -euo pipefail
command=$1
state=$2
shift 2

export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
# Without these Wine offers to install Mono and Gecko, and a dialog would wait for an answer.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

stop_session() {
  if [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null || true; fi
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid"
  fi
}

case $command in
start)
  stop_session
  mkdir -p "$state"
  rm -rf "$WINEPREFIX" "$state/display"
  # Xvfb picks a free display itself and writes its number to the descriptor.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$state/display" >/dev/null 2>&1 &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 100); do [ -s "$state/display" ] && break; sleep 0.1; done
  [ -s "$state/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$state/display")"
  wine wineboot -i >/dev/null 2>&1
  wineserver -w
  echo "Wine prefix ready on display $DISPLAY"
  ;;
run)
  [ -s "$state/display" ] || { echo "no Wine session in $state: run the start step first" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$state/display")"
  # The program tells its vendor host when it starts and ends. Tests send nothing off this machine:
  # the internet library goes through a proxy address where nothing listens, unless a test runs its own.
  export http_proxy=http://127.0.0.1:9
  exec wine "$@"
  ;;
stop)
  stop_session
  echo "Wine session stopped"
  ;;
*)
  echo "usage: $0 start|stop STATE_DIR | run STATE_DIR PROGRAM [ARGS...]" >&2
  exit 2
  ;;
esac
