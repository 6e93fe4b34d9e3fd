#!/usr/bin/env bash
# Runs every benchmark of the release build.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "cores: $(nproc)"
for b in build/release/bench/*_bench; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_min_time=0.3 "$@"
done
