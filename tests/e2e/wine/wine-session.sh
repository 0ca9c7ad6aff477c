#!/bin/sh
# wine-session.sh start|stop DIR WINE64 WINESERVER
# The Wine session the Windows start-up tests share in one test run: a
# private Wine prefix (DIR/prefix), initialised once, an Xvfb display for
# message boxes (its number in DIR/display) and a wineserver kept running
# between the tests. stop ends both and removes DIR.
set -eu
command=$1 dir=$2 wine64=$3 wineserver=$4
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all

# Ends this session's wineserver and Xvfb (the process recorded, when it is
# still that Xvfb) and removes DIR.
stop() {
  [ -d "$WINEPREFIX" ] && "$wineserver" -k 2>/dev/null || true
  if [ -f "$dir/xvfb.pid" ]; then
    pid=$(cat "$dir/xvfb.pid")
    grep -qs Xvfb "/proc/$pid/cmdline" && kill "$pid" 2>/dev/null || true
  fi
  rm -rf "$dir"
}

case $command in
start)
  stop  # what an interrupted run left behind
  mkdir -p "$dir"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" >/dev/null 2>&1 &
  echo $! >"$dir/xvfb.pid"
  tries=0
  while [ ! -s "$dir/display" ]; do
    tries=$((tries + 1))
    [ $tries -le 100 ] || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.1
  done
  export DISPLAY=":$(cat "$dir/display")"
  mkdir -p "$WINEPREFIX"
  "$wineserver" -p </dev/null >/dev/null 2>&1
  "$wine64" wineboot --init </dev/null >/dev/null 2>&1
  ;;
stop)
  stop
  ;;
esac
