#!/bin/sh
# Runs a Windows GUI program under wine64 (cmake/wine-run.sh) on an Xvfb
# display of its own, which goes when the program ends.
set -eu
fifo=$(mktemp -u "${TMPDIR:-/tmp}/kov-xvfb.XXXXXX")
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$fifo"' EXIT
read -r display <"$fifo"
DISPLAY=":$display" sh "$(dirname "$0")/wine-run.sh" "$@"
