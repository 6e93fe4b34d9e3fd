#!/usr/bin/env bash
# Makes the README's example pictures in docs/ with rastrix-batch itself; ImageMagick draws the
# inputs and turns a 400 x 240 piece of each input and result into a small PNG (1:1, so every
# pixel of a dithered result shows as it is).
#   docs/make-pictures.sh [path/to/rastrix-batch]   (default: the release build's)
set -euo pipefail
cd "$(dirname "$0")/.."
batch=${1:-build/release/src/batch/rastrix-batch}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
piece() { convert "$1" -crop 400x240+"$2"+"$3" +repage -strip "$4"; }

# An anti-aliased line drawing of the size the panel shows.
convert -size 800x480 xc:white -fill none -stroke black -strokewidth 3 \
  -draw "circle 220,240 220,90" -draw "line 420,80 760,400" -draw "roundrectangle 440,120 700,330 30,30" \
  -stroke none -fill black -font DejaVu-Sans -pointsize 56 -annotate +250+455 "e-paper 800x480" "$work/drawing.png"
"$batch" -q --palette bw --threshold 50% -o "$work/drawing-bw.bmp" "$work/drawing.png"
piece "$work/drawing.png" 330 240 docs/epaper-drawing.png
piece "$work/drawing-bw.bmp" 330 240 docs/epaper-drawing-bw.png

# A photo-like picture: smooth colour with a bright disc and a grey ramp.
convert -seed 7 -size 800x480 plasma:fractal -blur 0x3 -fill white -draw "circle 560,160 620,160" \
  \( -size 480x60 gradient:black-white -rotate 90 -resize 800x60! \) -gravity south -composite \
  -depth 8 -type TrueColor "$work/photo.png"
"$batch" -q --palette epaper7 --dither fs -o "$work/photo-7.bmp" "$work/photo.png"
"$batch" -q --palette bw --dither fs -o "$work/photo-bw.bmp" "$work/photo.png"
piece "$work/photo.png" 300 200 docs/epaper-photo.png
piece "$work/photo-7.bmp" 300 200 docs/epaper-photo-7.png
piece "$work/photo-bw.bmp" 300 200 docs/epaper-photo-bw.png
ls -l docs/*.png
