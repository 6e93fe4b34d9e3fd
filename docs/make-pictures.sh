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

# Inputs are 1024 x 600, as the README's examples start from; each is scaled to fit the 800 x 480
# panel. The input pieces are the same part of the picture, reduced to 400 x 240 to stand beside
# the results.
inpiece() { convert "$1" -crop 512x307+"$2"+"$3" +repage -resize 400x240! -strip "$4"; }

# An anti-aliased line drawing.
convert -size 1024x600 xc:white -fill none -stroke black -strokewidth 4 \
  -draw "circle 282,307 282,115" -draw "line 538,102 973,512" -draw "roundrectangle 563,154 896,422 38,38" \
  -stroke none -fill black -font DejaVu-Sans -pointsize 72 -annotate +320+582 "e-paper 800x480" "$work/drawing.png"
"$batch" -q --fit 800x480 --palette bw --threshold 50% -o "$work/drawing-bw.bmp" "$work/drawing.png"
inpiece "$work/drawing.png" 422 307 docs/epaper-drawing.png
piece "$work/drawing-bw.bmp" 330 240 docs/epaper-drawing-bw.png

# A photo-like picture: smooth colour with a bright disc and a grey ramp.
convert -seed 7 -size 1024x600 plasma:fractal -blur 0x4 -fill white -draw "circle 717,200 794,200" \
  \( -size 600x77 gradient:black-white -rotate 90 -resize 1024x77! \) -gravity south -composite \
  -depth 8 -type TrueColor "$work/photo.png"
"$batch" -q --fit 800x480 --palette epaper7 --dither fs -o "$work/photo-7.bmp" "$work/photo.png"
"$batch" -q --fit 800x480 --palette bw --dither fs -o "$work/photo-bw.bmp" "$work/photo.png"
inpiece "$work/photo.png" 384 256 docs/epaper-photo.png
piece "$work/photo-7.bmp" 300 200 docs/epaper-photo-7.png
piece "$work/photo-bw.bmp" 300 200 docs/epaper-photo-bw.png
ls -l docs/*.png
