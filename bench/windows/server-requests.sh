#!/bin/sh
# Start to first window in wineserver requests: a count that does not move
# with the machine's load, as wall-clock times do. For each program (by
# default the build's hangman.exe, hangman_nosplash.exe and the same window
# written directly on Win32, without and with a splash shown first), one
# start on a desktop that is already up,
# under a wineserver that traces its requests; the requests of the
# program's primary thread are counted up to the display driver's load, to
# its first window, and to the showing of its first captioned window (the
# "Word Selection" frame).
#
# Usage: sh bench/windows/server-requests.sh BUILD-WIN64-DIR [program.exe ...]
# The prefix is a private one (created on first use under BUILD-WIN64-DIR),
# since a traced wineserver must be started for it and is ended after each
# start.
set -eu
build=$(cd "$1" && pwd)
shift
[ $# -gt 0 ] || set -- "$build/hangman.exe" "$build/hangman_nosplash.exe" \
  "$build/bench/windows/native_word_selection.exe" "$build/bench/windows/native_word_selection_splash.exe"
export WINEPREFIX="$build/server-trace-prefix"
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
[ -d "$WINEPREFIX/drive_c" ] || WINEDEBUG=-all "$wine64" wineboot --init >/dev/null 2>&1
"$wineserver" -k 2>/dev/null || true
work=$(mktemp -d "${TMPDIR:-/tmp}/kov-requests.XXXXXX")
fifo=$work/display
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
xvfb=$!
trap '"$wineserver" -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
read -r display <"$fifo"
export DISPLAY=":$display"

printf '%8s %8s %8s  %s\n' driver window shown program
for program in "$@"; do
  # The server inherits the first program's tracing: a plain window keeps
  # the desktop up, then the program starts.
  WINEDEBUG=+server "$wine64" "$build/bench/windows/bare_window.exe" >/dev/null 2>"$work/trace" &
  keeper=$!
  sleep 3
  WINEDEBUG=-all "$wine64" "$program" >/dev/null 2>&1 &
  started=$!
  sleep 4
  "$wineserver" -k
  wait $keeper $started 2>/dev/null || true
  # The program's primary thread is the last one started.
  thread=$(sed -n 's/^\([0-9a-f]*\): init_first_thread() = 0.*/\1/p' "$work/trace" | tail -n 1)
  awk -v t="$thread" -v name="$program" '
    function hex(text,   i, value) {
      value = 0
      for (i = 1; i <= length(text); ++i) value = value * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
      return value
    }
    function field(line, key,   value) { value = line; sub(".*" key "=", "", value); sub(/[ ,].*/, "", value); return value }
    index($0, t ": ") != 1 { next }
    /^[0-9a-f]+: [a-z_]+\(\) = / {
      if (captioned && /create_window\(\) = 0/) frames[field($0, "handle")] = 1
      captioned = 0
      next
    }
    !/^[0-9a-f]+: [a-z_]+\( / { next }
    { ++n }
    !driver && /create_file\(.*winex11\.drv/ { driver = n }
    /create_window\(/ {
      if (!window) window = n
      captioned = int(hex(field($0, " style")) / 4194304) % 4 == 3  # WS_CAPTION
    }
    !shown && /set_window_pos\(/ && (field($0, "handle") in frames) && int(hex(field($0, "swp_flags")) / 64) % 2 == 1 {
      shown = n  # SWP_SHOWWINDOW
    }
    END { printf "%8d %8d %8d  %s\n", driver, window, shown, name }' "$work/trace"
done
