#!/usr/bin/env bash
# Ordered dithering with colour palettes against ImageMagick's: the blurred error (see
# bench/blurred_error.py) of Rastrix's `--dither ordered` and of ImageMagick's
# `-ordered-dither o8x8` then `-remap PALETTE` (the 8 x 8 Bayer pattern on each channel, then
# each pixel to the nearest palette colour), on the same pictures and palettes.
#   bench/ordered_vs_magick.sh [OTHER_PALETTE_MAP]
# Runs build/release/bench/palette_map (built here) and, when given, another palette_map (one built
# from an earlier commit) beside it. Pictures, 640 x 480: a plasma fractal made by ImageMagick with
# a fixed seed and blurred (sigma 2), a red rose-like radial gradient (220,30,60) to (90,10,20),
# and bench/make_photo.py's photo-like picture. Every tool here is deterministic: one run each.
set -euo pipefail
cd "$(dirname "$0")/.."
other=${1:-}

cmake --preset release >/dev/null
cmake --build --preset release --target palette_map >/dev/null
map=$PWD/build/release/bench/palette_map

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert -seed 7 -size 640x480 plasma:fractal -blur 0x2 -depth 8 -type TrueColor "$work/plasma.png"
convert -size 640x480 'radial-gradient:rgb(220,30,60)-rgb(90,10,20)' -depth 8 -type TrueColor "$work/rose.png"
/usr/bin/python3 bench/make_photo.py 640 480 "$work" photo.png
# The palettes as pictures for -remap, in the order rastrix-batch's names give them.
/usr/bin/python3 - "$work" <<'PY'
import sys
import numpy as np
from PIL import Image
palettes = {
    "epaper7": [(0, 0, 0), (255, 255, 255), (0, 255, 0), (0, 0, 255), (255, 0, 0), (255, 255, 0), (255, 128, 0)],
    "basic16": [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
                (128, 128, 128), (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
                (255, 0, 255), (0, 255, 255), (255, 255, 255)],
}
for name, colours in palettes.items():
    Image.fromarray(np.array([colours], dtype=np.uint8)).save("%s/%s.png" % (sys.argv[1], name))
PY
echo "ImageMagick: $(convert -version | head -1)" >&2
for picture in plasma rose photo; do
  for palette in epaper7 basic16; do
    in=$work/$picture.png
    "$map" "$in" "$work/$picture-$palette-rastrix.bmp" "$palette" ordered 2>/dev/null
    [[ -n $other ]] && "$other" "$in" "$work/$picture-$palette-other.bmp" "$palette" ordered 2>/dev/null
    convert "$in" -ordered-dither o8x8 -remap "$work/$palette.png" "$work/$picture-$palette-magick.png"
  done
done
/usr/bin/python3 - "$work" "$other" <<'PY'
import os, sys
sys.path.insert(0, "bench")
from blurred_error import colour_error
work, other = sys.argv[1], sys.argv[2]
print("| Picture | Palette | Rastrix | %sImageMagick o8x8 + remap | Rastrix / ImageMagick |" % ("other palette_map | " if other else ""))
print("|---|---|---|---|---|" + ("---|" if other else ""))
for picture in ("plasma", "rose", "photo"):
    original = os.path.join(work, picture + ".png")
    for palette in ("epaper7", "basic16"):
        f = lambda tool, ext: colour_error(os.path.join(work, "%s-%s-%s.%s" % (picture, palette, tool, ext)), original)
        ours, magick = f("rastrix", "bmp"), f("magick", "png")
        mid = ("%.2f | " % f("other", "bmp")) if other else ""
        print("| %s | %s | %.2f | %s%.2f | %.2fx %s |" % (picture, palette, ours, mid, magick, ours / magick,
              "met" if ours <= magick else "missed"))
PY
# The mapping's cost: the CPU time palette_map gives its map step for the photo-like picture at
# 800 x 480 (a panel's size) with epaper7 and ordered dithering, five runs, interleaved with the
# other palette_map when given; median and spread.
/usr/bin/python3 bench/make_photo.py 800 480 "$work" panel.png
for ((r = 1; r <= 5; r++)); do
  for program in "$map" $other; do
    echo "$program $("$program" "$work/panel.png" "$work/o.bmp" epaper7 ordered 2>&1 | grep -o 'map [0-9.]*' | cut -d' ' -f2)"
  done
done | /usr/bin/python3 -c '
import collections, statistics, sys
runs = collections.defaultdict(list)
for line in sys.stdin:
    program, ms = line.split()
    runs[program].append(float(ms))
for program, ms in runs.items():
    print("%s: map %.0f ms (%.0f-%.0f)" % (program, statistics.median(ms), min(ms), max(ms)))'
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
