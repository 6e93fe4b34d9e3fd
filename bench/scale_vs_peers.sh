#!/usr/bin/env bash
# Whole-process comparison of scaling a large photo to a small BMP for a device: 800 x 480 at
# 16 bits (5-6-5), at 1 bit dithered (Floyd-Steinberg) and at 256 colours (an optimised palette,
# Floyd-Steinberg): rastrix-batch --scale 800x480 with --depth 16, --palette bw --dither fs or
# --palette optimised:256 --dither fs, against Pillow (with its JPEG draft mode), ImageMagick (with its JPEG size hint) and libvips'
# `vips thumbnail`. Each job is a fresh process timed by /usr/bin/time (wall seconds, peak
# resident memory, CPU seconds); the tools run interleaved, job by job and round by round, so a change of
# machine load hits them alike; the table gives the median of ROUNDS rounds (default 5) with
# the spread (min-max). Then the quality: the mean absolute difference of our Lanczos result
# from Pillow's LANCZOS of the whole picture.
#   bench/scale_vs_peers.sh [ROUNDS]      (builds the release preset's rastrix-batch first)
# SCALE_BENCH_JOBS picks jobs (e.g. "jpg-1 png-16"); SCALE_BENCH_TOOLS picks tools from ours,
# pillow, magick, vips (the default), "before" (another rastrix-batch, SCALE_BENCH_BEFORE=path,
# e.g. a build of an earlier commit) and "decoder" (the decoder alone on the same input: djpeg at
# the reduction ours decodes at, 1/4 for this picture, or png_inflate, zlib's inflate and the
# unfiltering through libspng), all interleaved in the same rounds.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}

# The peers are installed here and nowhere else: the product does not use them.
bench/install-peers.sh python3-pil imagemagick libvips-tools time
cmake --preset release >/dev/null
cmake --build --preset release --target rastrix-batch png_inflate >/dev/null
batch=$PWD/build/release/src/batch/rastrix-batch
inflate=$PWD/build/release/bench/png_inflate
before=${SCALE_BENCH_BEFORE:-}

work=${SCALE_BENCH_DIR:-$(mktemp -d)}
[ -n "${SCALE_BENCH_DIR:-}" ] || trap 'rm -rf "$work"' EXIT
export MAGICK_AREA_LIMIT=1GP MAGICK_MEMORY_LIMIT=4GiB MAGICK_DISK_LIMIT=8GiB MAGICK_WIDTH_LIMIT=100KP MAGICK_HEIGHT_LIMIT=100KP
pil() { /usr/bin/python3 -c "import sys, struct; from PIL import Image; Image.MAX_IMAGE_PIXELS = None; $1" "${@:2}"; }

# The input: an 8000 x 6000 photo-like picture (smooth shapes enlarged from a small picture,
# film grain, and thin hard lines that a reduction without a wide enough filter aliases), as a
# JPEG of quality 90 and as a PNG.
[ -f "$work/photo.png" ] || /usr/bin/python3 bench/make_photo.py 8000 6000 "$work" photo.jpg photo.png

# 16-bit 5-6-5 file with the 40-byte header and three masks, as ours writes, from Pillow's
# 'BGR;16' pixels (red in the top bits), rows bottom first.
pil_565='
def save565(im, path):
    w, h = im.size
    px = im.convert("BGR;16").tobytes("raw", "BGR;16", 0, -1)
    stride = (2 * w + 3) // 4 * 4
    assert stride == 2 * w
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 66 + len(px), 0, 0, 66))
        f.write(struct.pack("<IiiHHIIiiII", 40, w, h, 1, 16, 3, len(px), 0, 0, 0, 0))
        f.write(struct.pack("<III", 0xF800, 0x07E0, 0x001F) + px)
'
# Jobs are FORMAT-KIND: KIND 16 is the 16-bit file, 1 the dithered black-and-white one, 8 the
# 256-colour one. vips writes no BMP: it writes a PPM (16), or a palette PNG through
# libimagequant (1 and 8), counted at its best.
run_job() {  # job tool
  local src=$work/photo.${1%%-*} kind=${1##*-} out=$work/out/o.bmp
  local pilscale="im = Image.open(sys.argv[1]); im.draft('RGB', (800, 480)); im = im.convert('RGB').resize((800, 480), Image.LANCZOS)"
  local hint=(-define jpeg:size=1600x960)
  case "$2-$kind" in
    ours-16) "$batch" -q --scale 800x480 --depth 16 "$src" -o "$out" ;;
    ours-1) "$batch" -q --scale 800x480 --palette bw --dither fs "$src" -o "$out" ;;
    ours-8) "$batch" -q --scale 800x480 --palette optimised:256 --dither fs "$src" -o "$out" ;;
    before-16) "$before" -q --scale 800x480 --depth 16 "$src" -o "$out" ;;
    before-1) "$before" -q --scale 800x480 --palette bw --dither fs "$src" -o "$out" ;;
    before-8) "$before" -q --scale 800x480 --palette optimised:256 --dither fs "$src" -o "$out" ;;
    decoder-*) if [ "${1%%-*}" = jpg ]; then djpeg -scale 1/4 -outfile /dev/null "$src"; else "$inflate" "$src"; fi ;;
    pillow-16) pil "$pil_565
$pilscale
save565(im, sys.argv[2])" "$src" "$out" ;;
    pillow-1) pil "$pilscale; im.convert('L').convert('1').save(sys.argv[2])" "$src" "$out" ;;
    pillow-8) pil "$pilscale; im.quantize(256, dither=Image.Dither.FLOYDSTEINBERG).save(sys.argv[2])" "$src" "$out" ;;
    magick-16) convert "${hint[@]}" "$src" -resize '800x480!' -define bmp:subtype=RGB565 BMP3:"$out" ;;
    magick-1) convert "${hint[@]}" "$src" -resize '800x480!' -colorspace gray -dither FloydSteinberg -monochrome BMP3:"$out" ;;
    magick-8) convert "${hint[@]}" "$src" -resize '800x480!' -dither FloydSteinberg -colors 256 BMP3:"$out" ;;
    vips-16) vips thumbnail "$src" "$work/out/o.ppm" 800 --height 480 --size force ;;
    vips-1) vips thumbnail "$src" "$work/out/o.png[palette,bitdepth=1,dither=1]" 800 --height 480 --size force ;;
    vips-8) vips thumbnail "$src" "$work/out/o.png[palette,Q=100,dither=1]" 800 --height 480 --size force ;;
  esac
}
export -f run_job pil
export batch work pil_565 before inflate

jobs=(${SCALE_BENCH_JOBS:-jpg-16 png-16 jpg-1 png-1 jpg-8 png-8})
tools=(${SCALE_BENCH_TOOLS:-ours pillow magick vips})
results=$work/results.txt
: >"$results"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
for ((r = 1; r <= rounds; r++)); do
  for job in "${jobs[@]}"; do
    for tool in "${tools[@]}"; do
      rm -rf "$work/out"; mkdir -p "$work/out"; sync
      /usr/bin/time -f "%e %M %U %S" -o "$work/t" bash -c "run_job $job $tool" >/dev/null 2>"$work/err" \
        || { echo "$job/$tool failed:" >&2; cat "$work/err" >&2; exit 1; }
      echo "$job $tool $(cat "$work/t")" >>"$results"
    done
  done
  echo "round $r done, load $(cut -d' ' -f1-3 /proc/loadavg)" >&2
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)" >&2

/usr/bin/python3 - "$results" <<'PY'
import sys, statistics, collections
runs = collections.defaultdict(list)
cpu = collections.defaultdict(list)  # user + system seconds, all threads
for line in open(sys.argv[1]):
    job, tool, secs, kb, user, system = line.split()
    runs[(job, tool)].append((float(secs), int(kb) / 1024))
    cpu[(job, tool)].append(float(user) + float(system))
kinds = {"16": "16-bit BMP", "1": "1-bit BMP, Floyd-Steinberg", "8": "256-colour BMP, Floyd-Steinberg"}
names = {}
for job in sorted({j for j, _ in runs}, key=lambda j: (j.split("-")[1] != "16", j)):
    f, k = job.split("-")
    names[job] = "8000 x 6000 %s to 800 x 480 %s" % ("JPEG" if f == "jpg" else "PNG", kinds[k])
order = ("ours", "before", "decoder", "pillow", "magick", "vips")
tools = [t for t in order if any(k[1] == t for k in runs)]
peers = [t for t in tools if t in ("pillow", "magick", "vips")]
head = ["%s s (spread)" % t for t in tools]
if peers: head.append("vs fastest peer")
if "magick" in tools: head.append("vs ImageMagick")
if "decoder" in tools: head.append("ours / decoder")
if "before" in tools: head.append("before / ours")
head += ["%s MB" % t for t in tools]
print("| Job | " + " | ".join(head) + " |")
print("|---" * (len(head) + 1) + "|")
for job, name in names.items():
    med, cells = {}, []
    for t in tools:
        s = [a for a, _ in runs[(job, t)]]
        m = [b for _, b in runs[(job, t)]]
        med[t] = (statistics.median(s), statistics.median(m))
        cells.append("%.2f (%.2f-%.2f)" % (med[t][0], min(s), max(s)))
    ours = med["ours"][0]
    if peers: cells.append("%.2fx" % (min(med[t][0] for t in peers) / ours))
    if "magick" in tools: cells.append("%.2fx" % (med["magick"][0] / ours))
    if "decoder" in tools: cells.append("%.2fx" % (ours / med["decoder"][0]))
    if "before" in tools: cells.append("%.2fx" % (med["before"][0] / ours))
    cells += ["%.0f" % med[t][1] for t in tools]
    print("| %s | %s |" % (name, " | ".join(cells)))
# On a loaded machine a process of two threads gets more of it than one of one: the CPU seconds
# (user + system, all threads) say what each tool costs whatever the load.
print()
print("| Job, CPU s (user + system) | " + " | ".join("%s (spread)" % t for t in tools) + " |")
print("|---" * (len(tools) + 1) + "|")
for job, name in names.items():
    print("| %s | %s |" % (name, " | ".join("%.2f (%.2f-%.2f)" % (statistics.median(cpu[(job, t)]), min(cpu[(job, t)]),
                                                                     max(cpu[(job, t)])) for t in tools)))
PY

# Quality: ours at 24 bits against Pillow's LANCZOS of the whole decoded picture (no draft);
# SCALE_BENCH_QUALITY=0 leaves it out.
[ "${SCALE_BENCH_QUALITY:-1}" = 1 ] || exit 0
for f in jpg png; do
  "$batch" -q --overwrite --scale 800x480 --depth 24 "$work/photo.$f" -o "$work/ours-$f.bmp"
done
pil "
from PIL import ImageChops, ImageStat
for f in ('jpg', 'png'):
    ref = Image.open(sys.argv[1] + '/photo.' + f).convert('RGB').resize((800, 480), Image.LANCZOS)
    ours = Image.open(sys.argv[1] + '/ours-' + f + '.bmp').convert('RGB')
    diff = ImageStat.Stat(ImageChops.difference(ours, ref))
    d = Image.open(sys.argv[1] + '/photo.' + f)
    d.draft('RGB', (800, 480))
    pdiff = ImageStat.Stat(ImageChops.difference(d.convert('RGB').resize((800, 480), Image.LANCZOS), ref))
    print('%s: ours vs Pillow LANCZOS of the whole picture: mean %.3f levels (largest %d); Pillow with draft vs the same: mean %.3f'
          % (f, sum(diff.mean) / 3, max(e[1] for e in diff.extrema), sum(pdiff.mean) / 3))
" "$work"
