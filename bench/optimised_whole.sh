#!/usr/bin/env bash
# The cost of showing libimagequant every pixel when it chooses an `optimised:N` palette, and what
# it keeps: build/release/bench/palette_map (built here) against another palette_map given (one
# built from an earlier commit, which showed it every second row and column of a picture of more
# than about a million pixels).
#   bench/optimised_whole.sh OTHER_PALETTE_MAP [ROUNDS]
# Pictures: bench/make_photo.py's photo-like picture at 800 x 480 (an e-paper panel's size, what
# the device jobs quantise after --fit), 1920 x 1080 and 4000 x 3000, as PNGs; and a grey gradient
# of 1920 x 1080 crossed by a red line on row 721 and a blue one in column 961. Jobs:
# optimised:16 without dithering and optimised:256 with Floyd-Steinberg. Each job is a fresh
# process run under /usr/bin/time (wall seconds, peak resident memory); palette_map prints the CPU
# time of its palette step. The two programs are interleaved job by job and round by round;
# medians of ROUNDS (default 5) with the spread (no sync between runs: the outputs are small).
# Then whether each program's 16 colours keep the
# two lines exact.
set -euo pipefail
cd "$(dirname "$0")/.."
other=$1
rounds=${2:-5}

cmake --preset release >/dev/null
cmake --build --preset release --target palette_map >/dev/null
map=$PWD/build/release/bench/palette_map

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 bench/make_photo.py 800 480 "$work" panel.png
/usr/bin/python3 bench/make_photo.py 1920 1080 "$work" hd.png
/usr/bin/python3 bench/make_photo.py 4000 3000 "$work" large.png
/usr/bin/python3 - "$work/lines.png" <<'PY'
import sys
import numpy as np
from PIL import Image
grey = (np.arange(1920) * 255 // 1919).astype(np.uint8)
a = np.repeat(np.repeat(grey[None, :, None], 1080, 0), 3, 2)
a[721, :] = (255, 0, 0)
a[:, 961] = (0, 0, 255)
Image.fromarray(a).save(sys.argv[1])
PY
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
: >"$work/results.txt"
for ((r = 1; r <= rounds; r++)); do
  for picture in panel hd large; do
    for job in "optimised:16 none" "optimised:256 fs"; do
      for tool in whole other; do
        program=$map
        [[ $tool == other ]] && program=$other
        rm -f "$work/o.bmp"
        /usr/bin/time -f "%e %M" -o "$work/t" "$program" "$work/$picture.png" "$work/o.bmp" $job 2>"$work/err" >/dev/null
        cpu=$(grep -o 'palette [0-9.]* ms' "$work/err" | cut -d' ' -f2)
        echo "$picture ${job// /-} $tool $cpu $(cat "$work/t")" >>"$work/results.txt"
      done
    done
  done
  echo "round $r done, load $(cut -d' ' -f1-3 /proc/loadavg)" >&2
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
for tool in whole other; do
  program=$map
  [[ $tool == other ]] && program=$other
  "$program" "$work/lines.png" "$work/lines-$tool.bmp" optimised:16 none 2>/dev/null
done
/usr/bin/python3 - "$work" <<'PY'
import collections, os, statistics, sys
from PIL import Image
work = sys.argv[1]
runs = collections.defaultdict(list)
for line in open(os.path.join(work, "results.txt")):
    picture, job, tool, cpu, secs, kb = line.split()
    runs[(picture, job, tool)].append((float(cpu), float(secs), int(kb) / 1024))
def cell(values, fmt):
    return (fmt + " (" + fmt + "-" + fmt + ")") % (statistics.median(values), min(values), max(values))
print("| Picture | Job | palette CPU ms, every pixel | palette CPU ms, other | wall s, every pixel | wall s, other | MB, every pixel | MB, other |")
print("|---|---|---|---|---|---|---|---|")
for picture in ("panel", "hd", "large"):
    for job in ("optimised:16-none", "optimised:256-fs"):
        w, o = runs[(picture, job, "whole")], runs[(picture, job, "other")]
        print("| %s | %s | %s | %s | %s | %s | %.0f | %.0f |" % (
            picture, job.replace("-", " "), cell([x[0] for x in w], "%.0f"), cell([x[0] for x in o], "%.0f"),
            cell([x[1] for x in w], "%.2f"), cell([x[1] for x in o], "%.2f"),
            statistics.median([x[2] for x in w]), statistics.median([x[2] for x in o])))
for tool in ("whole", "other"):
    im = Image.open(os.path.join(work, "lines-%s.bmp" % tool)).convert("RGB")
    print("%s: red line %s, blue line %s" % ("every pixel" if tool == "whole" else "other", im.getpixel((100, 721)),
                                              im.getpixel((961, 100))))
PY
