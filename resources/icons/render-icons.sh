#!/bin/sh
# Renders the program icon hangman.svg to the PNG sizes of the hicolor icon
# theme (also the nine images of the Windows icon group). Needs rsvg-convert
# (Debian package librsvg2-bin). Run from anywhere; writes hangman-<size>.png
# beside this script.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
for size in 16 22 24 32 48 64 96 128 256; do
  rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio \
    --output "$here/hangman-$size.png" "$here/hangman.svg"
done
