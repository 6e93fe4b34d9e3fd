#!/usr/bin/env bash
# Runs bench/window_rotate.cpp (three Rotate 90° in the real window) RUNS times on each platform,
# one fresh process per run: on X11 under xvfb-run (a 1920 x 1080 screen) and offscreen (a
# screen of the same size). The platforms take turns, and which goes first alternates from one
# round to the next. Prints each run's RESULT line with the load average, then per platform
# the median (fastest-slowest) of each command, of the slowest of the three, and of the GUI
# thread's CPU time and page faults.
#
#   bench/window_rotate.sh [RUNS] [BINARY...]   (RUNS default 5; BINARY default the release build's)
#
# Several binaries (a build before and after a change) are interleaved the same way. Every run
# starts IDLE_S seconds (default 5) after the last one ended: the memory a process gives back
# is soon taken back by the virtual machine's host, and a user's editor starts on such memory
# too, not on what a benchmark freed a moment before (IDLE_S=0 shows that case).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
shift || true
binaries=("$@")
[ ${#binaries[@]} -eq 0 ] && binaries=(build/release/bench/window_rotate)
pause=${PAUSE_MS:-0}
idle=${IDLE_S:-5}
offscreen_config=$(mktemp --suffix=.json)
trap 'rm -f "$offscreen_config"' EXIT
echo '{"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]}' >"$offscreen_config"

results=$(mktemp)
trap 'rm -f "$offscreen_config" "$results"' EXIT
echo "cores: $(nproc); pause between commands ${pause} ms; ${idle} s idle before each run; $(uptime)"
for ((r = 1; r <= runs; r++)); do
  platforms=(xcb offscreen)
  [ $((r % 2)) -eq 0 ] && platforms=(offscreen xcb)
  for b in "${binaries[@]}"; do
    for p in "${platforms[@]}"; do
      sleep "$idle"
      load=$(cut -d' ' -f1 /proc/loadavg)
      if [ "$p" = xcb ]; then
        line=$(xvfb-run -a -s "-screen 0 1920x1080x24" "$b" --pause-ms "$pause" | grep '^RESULT')
      else
        line=$(QT_QPA_PLATFORM="offscreen:configfile=$offscreen_config" "$b" --pause-ms "$pause" | grep '^RESULT')
      fi
      echo "$line binary=$b load=$load" | tee -a "$results"
    done
  done
done

python3 - "$results" <<'PY'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    f = dict(kv.split("=", 1) for kv in line.split()[1:])
    rows.setdefault((f["binary"], f["platform"]), []).append(f)
def spread(values):
    return f"{statistics.median(values):.1f} ({min(values):.1f}-{max(values):.1f})"
for (binary, platform), fs in rows.items():
    print(f"== {binary} on {platform}: {len(fs)} runs, load {min(float(f['load']) for f in fs):.2f}-"
          f"{max(float(f['load']) for f in fs):.2f}")
    for i, key in enumerate(["c1", "c2", "c3"]):
        cpu = [float(f["cpu"].split(",")[i]) for f in fs]
        faults = [float(f["faults"].split(",")[i]) for f in fs]
        print(f"  rotate #{i + 1}: wall {spread([float(f[key]) for f in fs])} ms, gui thread cpu {spread(cpu)} ms, "
              f"faults {spread(faults)}")
    print(f"  slowest of the three: {spread([float(f['slowest']) for f in fs])} ms")
    print(f"  surface paints per command: {sorted(set(f['paints'] for f in fs))}; edited: "
          f"{sorted(set(f['edited'] for f in fs))}; late paints: {sorted(set(f['late'] for f in fs))}")
    print(f"  levels below the top: {sorted(set(f['depth'] for f in fs))}; blocks in use/kept once the spare is "
          f"ready: {sorted(set(f['inuse'] + '/' + f['kept'] for f in fs))}; peak MB {spread([float(f['peak_mb']) for f in fs])}")
PY
