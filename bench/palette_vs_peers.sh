#!/usr/bin/env bash
# Palettes and dithering against Pillow, ImageMagick and libvips: quality, then speed.
#   bench/palette_vs_peers.sh [ROUNDS]      (builds the release preset's palette_map first)
# Quality: a 1024 x 768 photo-like picture (a plasma fractal with a sharp disc, text and a grey
# ramp) is taken to 1-bit black and white by each tool with Floyd-Steinberg dithering. Each
# result and the original's grey (0.299 R + 0.587 G + 0.114 B) are blurred by a Gaussian of
# sigma 1.5 (an exact separable kernel of radius 5, edges mirrored), and the mean absolute
# difference of the two blurred images, in grey levels, is the figure: how far the dithered
# picture looks from the original at a small viewing distance. The same for the 256-colour job,
# per channel of the blurred colour images.
# Speed: every job is a fresh process timed by /usr/bin/time (wall seconds, peak resident
# memory), the tools interleaved job by job and round by round; medians of ROUNDS (default 5)
# with the spread. Input: a 4000 x 3000 PNG of the same kind of picture.
# rastrix-batch has no palette options yet, so bench/palette_map (the same core calls, one
# picture a process) stands in for it. libvips writes no BMP of its own (only through
# ImageMagick), so it writes a palette PNG: 1 bit or 8 bits, dithered by libimagequant.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}

bench/install-peers.sh
cmake --preset release >/dev/null
cmake --build --preset release --target palette_map >/dev/null
map=$PWD/build/release/bench/palette_map

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
picture() {  # width height out
  local w=$1 h=$2
  convert -seed 7 -size "${w}x$h" plasma:fractal -blur 0x2 \
    -fill white -draw "circle $((w * 7 / 10)),$((h * 35 / 100)) $((w * 8 / 10)),$((h * 35 / 100))" \
    \( -size "${h}x$((h / 8))" gradient:black-white -rotate 90 -resize "${w}x$((h / 8))!" \) -gravity south -composite \
    -fill black -font DejaVu-Sans -pointsize $((h / 10)) -gravity northwest -annotate +20+20 "Rastrix 1-bit" \
    -depth 8 -type TrueColor "$3"
}
picture 1024 768 "$work/q.png"
convert -seed 7 -size 4000x3000 plasma:fractal -blur 0x2 -depth 8 -type TrueColor "$work/big.png"

pil() { /usr/bin/python3 -c "import sys; from PIL import Image; Image.MAX_IMAGE_PIXELS = None; $1" "${@:2}"; }
run_job() {  # job tool, from $in to $out.bmp or $out.png
  case "$1/$2" in
    bw/rastrix) "$map" "$in" "$out.bmp" bw fs 2>/dev/null ;;
    bw/pillow) pil "Image.open(sys.argv[1]).convert('1').save(sys.argv[2])" "$in" "$out.bmp" ;;
    bw/magick) convert "$in" -colorspace gray -dither FloydSteinberg -monochrome BMP3:"$out.bmp" ;;
    bw/vips) vips colourspace "$in" "$out.v" b-w && vips pngsave "$out.v" "$out.png" --palette --bitdepth 1 --dither 1 ;;
    q256/rastrix) "$map" "$in" "$out.bmp" optimised:256 fs 2>/dev/null ;;
    q256/pillow) pil "Image.open(sys.argv[1]).quantize(256, dither=Image.Dither.FLOYDSTEINBERG).save(sys.argv[2])" "$in" "$out.bmp" ;;
    q256/magick) convert "$in" -dither FloydSteinberg -colors 256 -type Palette BMP3:"$out.bmp" ;;
    q256/vips) vips pngsave "$in" "$out.png" --palette --Q 100 --bitdepth 8 --dither 1 ;;
  esac
}
tools=(rastrix pillow magick vips)

# Quality, once (every tool is deterministic here).
for job in bw q256; do
  for tool in "${tools[@]}"; do in=$work/q.png out=$work/q-$job-$tool run_job "$job" "$tool"; done
done
for extra in atkinson ordered; do "$map" "$work/q.png" "$work/q-bw-rastrix-$extra.bmp" bw "$extra" 2>/dev/null; done
/usr/bin/python3 - "$work" <<'PY'
import sys, glob, os
import numpy as np
from PIL import Image
work = sys.argv[1]
sys.path.insert(0, "bench")
from blurred_error import blur
orig = Image.open(os.path.join(work, "q.png")).convert("RGB")
grey = blur(np.asarray(orig.convert("L"), dtype=np.float64))
rgb = blur(np.asarray(orig, dtype=np.float64))
print("| Job | Tool | blurred MAE (levels) | vs Pillow FS |")
print("|---|---|---|---|")
rows = {}
for f in sorted(glob.glob(os.path.join(work, "q-*.bmp")) + glob.glob(os.path.join(work, "q-*.png"))):
    name = os.path.basename(f).rsplit(".", 1)[0][2:]
    job = name.split("-")[0]
    im = Image.open(f)
    if job == "bw":
        rows[name] = np.abs(blur(np.asarray(im.convert("L"), dtype=np.float64)) - grey).mean()
    else:
        rows[name] = np.abs(blur(np.asarray(im.convert("RGB"), dtype=np.float64)) - rgb).mean()
for name, mae in sorted(rows.items()):
    ref = rows[name.split("-")[0] + "-pillow"]
    print("| %s | %s | %.2f | %.2fx %s |" % (name.split("-")[0], "-".join(name.split("-")[1:]), mae, mae / ref,
          "met" if mae <= ref else "missed"))
PY

# Speed.
source bench/peer-rounds.sh
clean_outputs() { rm -f "$work"/o.*; }
job_env="map='$map' in='$work/big.png' out='$work/o'"
results=$work/results.txt
time_rounds "$rounds" "bw q256" "${tools[*]}"
/usr/bin/python3 - "$results" <<'PY'
import sys, statistics, collections
runs = collections.defaultdict(list)
for line in open(sys.argv[1]):
    job, tool, secs, kb = line.split()
    runs[(job, tool)].append((float(secs), int(kb) / 1024))
names = {"bw": "4000 x 3000 PNG to 1-bit, Floyd-Steinberg", "q256": "4000 x 3000 PNG to 256 colours, Floyd-Steinberg"}
tools = ("rastrix", "pillow", "magick", "vips")
print("| Job | " + " | ".join("%s s (spread)" % t for t in tools) + " | vs fastest peer | " + " | ".join("%s MB" % t for t in tools) + " |")
print("|---|" + "---|" * (2 * len(tools) + 1))
for job, name in names.items():
    med = {}
    cells = []
    for t in tools:
        s = [x for x, _ in runs[(job, t)]]
        m = [k for _, k in runs[(job, t)]]
        med[t] = (statistics.median(s), statistics.median(m))
        cells.append("%.2f (%.2f-%.2f)" % (med[t][0], min(s), max(s)))
    fast = min(med[t][0] for t in tools[1:]) / med["rastrix"][0]
    print("| %s | %s | %.2fx %s | %s |" % (name, " | ".join(cells), fast, "met" if fast >= 1 else "missed",
                                          " | ".join("%.0f" % med[t][1] for t in tools)))
PY
