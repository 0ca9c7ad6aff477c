#!/bin/sh
# Draws the splash image resources/splash.jpg: a black-on-white line drawing
# of the gallows with a figure, a partly guessed word under it and the row of
# letters guessed so far. 261 x 340 pixels, baseline JFIF, three colour
# components (4:2:0). Needs ImageMagick and the DejaVu fonts
# (Debian: imagemagick, fonts-dejavu-core).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
mono=/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf
convert -size 261x340 xc:white -colorspace sRGB \
  -fill none -stroke black -strokewidth 2 -draw "rectangle 6,6 254,333" \
  -strokewidth 5 -draw "line 34,220 150,220" -draw "line 62,220 62,56" -draw "line 59,56 184,56" \
  -strokewidth 4 -draw "line 62,96 100,58" \
  -strokewidth 2 -draw "line 170,56 170,80" \
  -strokewidth 3 -draw "circle 170,96 170,112" -draw "line 170,112 170,166" \
  -draw "line 170,128 148,150" -draw "line 170,128 192,150" \
  -draw "line 170,166 152,200" -draw "line 170,166 188,200" \
  -stroke none -fill black -font "$font" -pointsize 22 -draw "text 76,38 'HANGMAN'" \
  -font "$mono" -pointsize 26 -draw "text 30,266 'H A N _ _ A N'" \
  -font "$font" -pointsize 14 -draw "text 20,298 'Guessed:'" \
  -font "$mono" -pointsize 14 -draw "text 94,298 'A E H I N O R S T'" \
  -font "$font" -pointsize 12 -fill '#404040' -draw "text 20,322 'Wrong guesses left: 1'" \
  -type TrueColor -sampling-factor 2x2 -interlace none -quality 96 \
  "JPEG:$here/splash.jpg"
