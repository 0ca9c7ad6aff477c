#!/bin/sh
# Runs a Windows program of the 64-bit build under wine64: the emulator
# CTest uses for tests/windows/. The Wine prefix is private to this user
# (WINEPREFIX wins when set) and created on first use.
set -eu
: "${WINEPREFIX:=${TMPDIR:-/tmp}/kov-wine-$(id -u)}"
export WINEPREFIX WINEDEBUG=-all
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
# Tests started at the same time create the prefix once, one after the other.
mkdir -p "$WINEPREFIX"
flock "$WINEPREFIX" sh -c '[ -d "$WINEPREFIX/drive_c" ] || "$1" wineboot --init </dev/null >/dev/null 2>&1' \
  sh "$wine64"
exec "$wine64" "$@"
