#!/usr/bin/env bash
# Runs every benchmark of the release build. Extra arguments go to the Google Benchmark
# programs; consecutive_bench runs twice, its commands back to back and 500 ms apart; the
# window's three turns (window_rotate, built with the front end) run last, five fresh processes
# on each platform.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "cores: $(nproc); $(uptime)"
for b in build/release/bench/*_bench; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  if [ "$(basename "$b")" = consecutive_bench ]; then
    "$b" --pause-ms 0
    "$b" --pause-ms 500
  else
    "$b" --benchmark_min_time=0.3 "$@"
  fi
done
if [ -x build/release/bench/window_rotate ]; then
  echo "== window_rotate"
  bench/window_rotate.sh 5
fi
