#!/usr/bin/env bash
# Whole-process comparison of rastrix-batch with Pillow and ImageMagick: every job is a fresh
# process timed by /usr/bin/time (wall seconds and peak resident memory). The three tools run
# interleaved, job by job and round by round, so a change of machine load hits them alike; the
# table gives the median of ROUNDS rounds (default 5) with the spread (min-max).
#   bench/batch_vs_peers.sh [ROUNDS]      (builds the release preset's rastrix-batch first)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}

bench/install-peers.sh
cmake --preset release >/dev/null
cmake --build --preset release --target rastrix-batch >/dev/null
batch=$PWD/build/release/src/batch/rastrix-batch

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# ImageMagick's default policy refuses images this large; give it room (and its default threads).
export MAGICK_AREA_LIMIT=1GP MAGICK_MEMORY_LIMIT=4GiB MAGICK_DISK_LIMIT=8GiB MAGICK_WIDTH_LIMIT=100KP MAGICK_HEIGHT_LIMIT=100KP

# Inputs: an 8000 x 6000 24-bit BMP of 200 colours in blocks (so 8 bits hold it without loss),
# and 200 files of 640 x 480 with 16 colours each (so 4 bits hold them).
python3 - "$work" <<'PY'
import struct, sys, os
work = sys.argv[1]
def bmp(path, w, h, pixel_row):
    stride = (3 * w + 3) // 4 * 4
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 54 + stride * h, 0, 0, 54))
        f.write(struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, stride * h, 0, 0, 0, 0))
        pad = b"\0" * (stride - 3 * w)
        for y in range(h - 1, -1, -1):
            f.write(pixel_row(y) + pad)
rows = {}
def big_row(y):
    key = (y // 40 % 10, y // 400 % 2)
    if key not in rows:
        rows[key] = b"".join(bytes((((x // 400 + key[1]) % 2) * 255, key[0] * 25, x // 40 % 10 * 25))
                             for x in range(8000))
    return rows[key]
bmp(os.path.join(work, "big.bmp"), 8000, 6000, big_row)
os.makedirs(os.path.join(work, "small"))
for i in range(200):
    cache = {}
    def small_row(y, i=i):
        k = (y // 30 + i) % 4
        if k not in cache:
            cache[k] = b"".join(bytes((((x // 40 + k) % 4) * 80, k * 60, (i * 7) % 256)) for x in range(640))
        return cache[k]
    bmp(os.path.join(work, "small", "s%03d.bmp" % i), 640, 480, small_row)
PY
mkdir -p "$work/out"

# Debian's python3, the one python3-pil serves, whatever python3 comes first on the PATH.
pil() { /usr/bin/python3 -c "import sys; from PIL import Image; Image.MAX_IMAGE_PIXELS = None; $1" "${@:2}"; }
run_job() {  # job tool
  local big=$work/big.bmp out=$work/out/o.bmp
  case "$1/$2" in
    convert24/rastrix) "$batch" "$big" -o "$out" ;;
    convert24/pillow) pil "Image.open(sys.argv[1]).save(sys.argv[2])" "$big" "$out" ;;
    convert24/magick) convert "$big" BMP3:"$out" ;;
    rotate90/rastrix) "$batch" -r 90 "$big" -o "$out" ;;
    rotate90/pillow) pil "Image.open(sys.argv[1]).transpose(Image.Transpose.ROTATE_270).save(sys.argv[2])" "$big" "$out" ;;
    rotate90/magick) convert "$big" -rotate 90 BMP3:"$out" ;;
    fliph/rastrix) "$batch" --flip h "$big" -o "$out" ;;
    fliph/pillow) pil "Image.open(sys.argv[1]).transpose(Image.Transpose.FLIP_LEFT_RIGHT).save(sys.argv[2])" "$big" "$out" ;;
    fliph/magick) convert "$big" -flop BMP3:"$out" ;;
    crop/rastrix) "$batch" -s 0,0,4000,3000 -c "$big" -o "$out" ;;
    crop/pillow) pil "Image.open(sys.argv[1]).crop((0, 0, 4000, 3000)).save(sys.argv[2])" "$big" "$out" ;;
    crop/magick) convert "$big" -crop 4000x3000+0+0 +repage BMP3:"$out" ;;
    depth8/rastrix) "$batch" -b 8 "$big" -o "$out" ;;
    depth8/pillow) pil "Image.open(sys.argv[1]).convert('P', palette=Image.Palette.ADAPTIVE, colors=256).save(sys.argv[2])" "$big" "$out" ;;
    depth8/magick) convert "$big" +dither -colors 256 BMP3:"$out" ;;
    dir4/rastrix) "$batch" -b 4 -d "$work/out" "$work"/small/*.bmp ;;
    dir4/pillow) pil "
import glob, os
for f in sorted(glob.glob(sys.argv[1] + '/*.bmp')):
    Image.open(f).quantize(16).save(os.path.join(sys.argv[2], os.path.basename(f)))" "$work/small" "$work/out" ;;
    dir4/magick) mogrify -path "$work/out" +dither -colors 16 -format bmp "$work"/small/*.bmp ;;
  esac
}

source bench/peer-rounds.sh
clean_outputs() { rm -rf "$work/out"; mkdir -p "$work/out"; }
job_env="batch='$batch' work='$work'"
results=$work/results.txt
time_rounds "$rounds" "convert24 rotate90 fliph crop depth8 dir4" "rastrix pillow magick"

python3 - "$results" <<'PY'
import sys, statistics, collections
runs = collections.defaultdict(list)
for line in open(sys.argv[1]):
    job, tool, secs, kb = line.split()
    runs[(job, tool)].append((float(secs), int(kb) / 1024))
names = {"convert24": "decode + encode 24-bit", "rotate90": "rotate 90 + save", "fliph": "flip horizontal + save",
         "crop": "crop 4000 x 3000 + save", "depth8": "save as 8-bit", "dir4": "200 files 640 x 480 to 4-bit"}
print("| Job | rastrix-batch s (spread) | Pillow s | ImageMagick s | speed vs fastest peer | rastrix MB | Pillow MB | ImageMagick MB | memory vs leanest peer |")
print("|---|---|---|---|---|---|---|---|---|")
for job, name in names.items():
    cells, med = [], {}
    for tool in ("rastrix", "pillow", "magick"):
        t = [s for s, _ in runs[(job, tool)]]
        m = [k for _, k in runs[(job, tool)]]
        med[tool] = (statistics.median(t), statistics.median(m))
        cells.append("%.2f (%.2f-%.2f)" % (med[tool][0], min(t), max(t)))
    mem = ["%.0f" % med[t][1] for t in ("rastrix", "pillow", "magick")]
    fast = min(med["pillow"][0], med["magick"][0]) / med["rastrix"][0]
    lean = med["rastrix"][1] / min(med["pillow"][1], med["magick"][1])
    print("| %s | %s | %s | %s | %.1fx %s | %s | %s | %s | %.2fx %s |" % (
        name, cells[0], cells[1], cells[2], fast, "met" if fast >= 2 else "missed",
        mem[0], mem[1], mem[2], lean, "met" if lean <= 1 else "missed"))
PY
