#!/usr/bin/env bash
# Whole-process comparison of rastrix-batch's device files with LVGL's own image converter
# (scripts/LVGLImage.py of LVGL's repository, run from a copy outside this repository, whose
# path is given) and ImageMagick where it writes the same form (XBM, raw 8-bit grey): LVGL C
# sources (lv_image_dsc_t) and LVGL .bin files of RGB565 from both. Each job
# turns the same 200 pictures of 320 x 240 (PNG) into files, one process for all of them; every
# run is a fresh process timed by /usr/bin/time. Tools and jobs take turns round by round (see
# peer-rounds.sh); the table gives the median of ROUNDS rounds (default 5) with the spread.
#   bench/device_vs_peers.sh [ROUNDS] [PATH/TO/LVGLImage.py]
# Without the script's path (or with one that is not there) the LVGL columns are left out.
# rastrix-batch runs with -j 1, on one core as the Python script does. DEVICE_BENCH_PEERS=lvgl
# (or magick) runs only the jobs against that peer.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
lvgl=${2:-}
if [ -n "$lvgl" ] && [ ! -f "$lvgl" ]; then
  echo "no LVGL converter at $lvgl: its jobs are left out" >&2
  lvgl=""
fi

# LVGL's script needs pypng and lz4 (Debian's python3-png and python3-lz4).
bench/install-peers.sh python3-png python3-lz4
cmake --preset release >/dev/null
cmake --build --preset release --target rastrix-batch >/dev/null
batch=$PWD/build/release/src/batch/rastrix-batch

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 200 photo-like pictures: smooth colour fields with a few hard edges, each its own.
/usr/bin/python3 - "$work/png" <<'PY'
import math, os, struct, sys, zlib
out = sys.argv[1]
os.makedirs(out)
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
w, h = 320, 240
for i in range(200):
    rows = bytearray()
    for y in range(h):
        rows.append(0)
        for x in range(w):
            r = int(127 + 127 * math.sin((x + 3 * i) / 37.0))
            g = int(127 + 127 * math.cos((y - 2 * i) / 23.0))
            b = (x * y // 97 + 11 * i) % 256
            if (x - 160) ** 2 + (y - 120) ** 2 < (40 + i % 60) ** 2: r, g, b = 255 - g, b, r
            rows += bytes((r, g, b))
    with open(os.path.join(out, "p%03d.png" % i), "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(bytes(rows), 6)) + chunk(b"IEND", b""))
PY

pil() { :; }  # peer-rounds.sh passes it along; no job here uses Pillow
run_job() {  # job tool
  local in=$work/png out=$work/out
  case "$1/$2" in
    c565/rastrix) "$batch" -q -j 1 --format lvgl-c --layout rgb565 -d "$out" "$in"/*.png ;;
    c565/lvgl) /usr/bin/python3 "$lvgl" --ofmt C --cf RGB565 -o "$out" "$in" ;;
    bin565/rastrix) "$batch" -q -j 1 --format lvgl-bin --layout rgb565 -d "$out" "$in"/*.png ;;
    bin565/lvgl) /usr/bin/python3 "$lvgl" --ofmt BIN --cf RGB565 -o "$out" "$in" ;;
    xbm/rastrix) "$batch" -q -j 1 --format xbm --invert -d "$out" "$in"/*.png ;;
    xbm/magick) mogrify -path "$out" -format xbm "$in"/*.png ;;
    grey8/rastrix) "$batch" -q -j 1 --format bin --layout grey8 -d "$out" "$in"/*.png ;;
    grey8/magick) mogrify -path "$out" -format gray -depth 8 "$in"/*.png ;;
  esac
}

source bench/peer-rounds.sh
clean_outputs() { rm -rf "$work/out"; mkdir -p "$work/out"; }
job_env="batch='$batch' work='$work' lvgl='$lvgl'"
echo "cores: $(nproc); $(uptime)" >&2
for ((r = 1; r <= rounds; r++)); do
  [ -n "$lvgl" ] && [ "${DEVICE_BENCH_PEERS:-lvgl}" = lvgl ] && time_rounds 1 "c565 bin565" "rastrix lvgl"
  [ "${DEVICE_BENCH_PEERS:-magick}" = magick ] && time_rounds 1 "xbm grey8" "rastrix magick"
done

/usr/bin/python3 - "$work/results.txt" <<'PY'
import collections, statistics, sys
runs = collections.defaultdict(list)
for line in open(sys.argv[1]):
    job, tool, secs, kb = line.split()
    runs[(job, tool)].append((float(secs), int(kb) / 1024))
names = {"c565": ("200 pictures to LVGL RGB565 C sources", "lvgl", 10), "bin565": ("200 pictures to LVGL RGB565 .bin", "lvgl", 10),
         "xbm": ("200 pictures to XBM", "magick", 2), "grey8": ("200 pictures to raw 8-bit grey", "magick", 2)}
print("| Job | rastrix-batch -j 1 s (spread) | peer | peer s (spread) | rastrix MB | peer MB | speed | target |")
print("|---|---|---|---|---|---|---|---|")
for job, (name, peer, target) in names.items():
    if (job, "rastrix") not in runs or (job, peer) not in runs:
        continue
    cell, med = {}, {}
    for tool in ("rastrix", peer):
        t = [s for s, _ in runs[(job, tool)]]
        med[tool] = statistics.median(t)
        cell[tool] = "%.2f (%.2f-%.2f)" % (med[tool], min(t), max(t))
    mem = {tool: statistics.median([m for _, m in runs[(job, tool)]]) for tool in ("rastrix", peer)}
    speed = med[peer] / med["rastrix"]
    label = {"lvgl": "LVGLImage.py", "magick": "ImageMagick mogrify"}[peer]
    print("| %s | %s | %s | %s | %.0f | %.0f | %.1fx | %dx %s |" % (name, cell["rastrix"], label, cell[peer], mem["rastrix"],
          mem[peer], speed, target, "met" if speed >= target else "missed"))
PY
