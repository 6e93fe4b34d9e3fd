#!/usr/bin/env bash
# Opening a file in the real window (bench/window_open.cpp, X11 under xvfb-run, 1920 x 1080),
# against the decoders' own programs on the same files, as fresh processes in the same rounds:
# a 6000 x 4000 photo as JPEG (upright, and the same with EXIF orientation 6, which the editor
# turns upright) against libjpeg-turbo's `djpeg` decoding it in full, and the 8000 x 6000
# 24-bit BMP of the other window benchmarks against `cat` reading its bytes. Every run starts
# IDLE_S seconds (default 5) after the last one ended, as in bench/window_rotate.sh; the order of
# the programs alternates from one round to the next. Prints each run, then per file and program
# the median (fastest-slowest) of the wall times, the GUI thread's CPU time and page faults.
#
#   bench/window_open.sh [RUNS] [BINARY...]   (RUNS default 5; BINARY default the release build's)
#
# Several binaries (a build before and after a change) are interleaved the same way. The JPEGs
# are made once with Pillow in $OPEN_BENCH_DIR (default a temporary folder).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
shift || true
binaries=("$@")
[ ${#binaries[@]} -eq 0 ] && binaries=(build/release/bench/window_open)
idle=${IDLE_S:-5}
bench/install-peers.sh libjpeg-turbo-progs xvfb xauth
work=${OPEN_BENCH_DIR:-$(mktemp -d)}
[ -n "${OPEN_BENCH_DIR:-}" ] || trap 'rm -rf "$work"' EXIT

# The photo-like picture of bench/scale_vs_peers.sh at 6000 x 4000; the second copy says the
# camera was held upright.
[ -f "$work/photo-turned.jpg" ] || /usr/bin/python3 bench/make_photo.py 6000 4000 "$work" photo.jpg photo-turned.jpg
bmp=${TMPDIR:-/tmp}/rastrix-bench-8000x6000.bmp
[ -f "$bmp" ] || xvfb-run -a -s "-screen 0 1920x1080x24" "${binaries[0]}" >/dev/null

results=$(mktemp)
trap 'rm -f "$results"; [ -n "${OPEN_BENCH_DIR:-}" ] || rm -rf "$work"' EXIT
echo "cores: $(nproc); ${idle} s idle before each run; $(uptime)"
/usr/bin/python3 - "$runs" "$idle" "$results" "$work/photo.jpg" "$work/photo-turned.jpg" "$bmp" "${binaries[@]}" <<'PY'
import os, statistics, subprocess, sys, time
runs, idle, results = int(sys.argv[1]), float(sys.argv[2]), sys.argv[3]
files, binaries = sys.argv[4:7], sys.argv[7:]
out = open(results, "w")

def timed(cmd, **kw):
    t0 = time.perf_counter()
    p = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=True, **kw)
    return (time.perf_counter() - t0) * 1e3, p.stdout

def limit(path):
    # The decoder's own program: djpeg decoding in full (PPM to /dev/null), or cat reading the bytes.
    if path.endswith(".jpg"):
        return "djpeg", ["djpeg", "-outfile", "/dev/null", path]
    return "cat", ["sh", "-c", 'cat "$0" >/dev/null', path]

for r in range(runs):
    for path in files:
        jobs = [(b, [b, "--file", path]) for b in binaries] + [limit(path)]
        if r % 2: jobs.reverse()
        for name, cmd in jobs:
            time.sleep(idle)
            load = open("/proc/loadavg").read().split()[0]
            if name in binaries:
                _, text = timed(["xvfb-run", "-a", "-s", "-screen 0 1920x1080x24"] + cmd)
                line = next(l for l in text.decode().splitlines() if l.startswith("RESULT"))
                f = dict(kv.split("=", 1) for kv in line.split()[1:])
            else:
                wall, _ = timed(cmd)
                f = {"shown": f"{wall:.1f}", "open": f"{wall:.1f}", "cpu": "0", "faults": "0"}
            f.update(file=os.path.basename(path), program=name, load=load)
            text = " ".join(f"{k}={v}" for k, v in f.items())
            print(text, flush=True)
            out.write(text + "\n")
out.close()

rows = {}
for line in open(results):
    f = dict(kv.split("=", 1) for kv in line.split())
    rows.setdefault((f["file"], f["program"]), []).append(f)
def spread(values):
    return f"{statistics.median(values):.1f} ({min(values):.1f}-{max(values):.1f})"
for (file, program), fs in rows.items():
    loads = [float(f["load"]) for f in fs]
    print(f"== {file}, {program}: {len(fs)} runs, load {min(loads):.2f}-{max(loads):.2f}")
    if program in ("djpeg", "cat"):
        print(f"  whole process: {spread([float(f['shown']) for f in fs])} ms")
        continue
    print(f"  open returned {spread([float(f['open']) for f in fs])} ms, painted {spread([float(f['shown']) for f in fs])} ms, "
          f"gui thread cpu {spread([float(f['cpu']) for f in fs])} ms, faults {spread([float(f['faults']) for f in fs])}, "
          f"peak MB {spread([float(f['peak_mb']) for f in fs])}, size {sorted(set(f['w'] + 'x' + f['h'] for f in fs))}")
PY
