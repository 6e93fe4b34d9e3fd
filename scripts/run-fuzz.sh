#!/usr/bin/env bash
# Builds the fuzz preset and runs each fuzzer for SECONDS (default 40) from fresh seeds, the
# shared BMP corpus when present, and the kept regression inputs. Exits non-zero on any crash,
# leak, time-out or out-of-memory; the input that did it is kept in build/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-40}
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --parallel "${RASTRIX_JOBS:-2}"

bin=build/fuzz/fuzz
artifacts=build/fuzz/artifacts
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$artifacts"
"$bin/fuzz_seeds" "$work/seeds" >/dev/null

# Corpus folders are copied into $work so nothing the fuzzer adds lands in the repository.
suite=../shared/testdata/bmpsuite
for target in bmp settings jpeg palette profiles; do
  corpus=$work/corpus-$target
  mkdir -p "$corpus"
  cp "$work/seeds/$target"/* "$corpus"/
  cp fuzz/regressions/"$target"/* "$corpus"/ 2>/dev/null || true
  if [ "$target" = bmp ] && [ -d "$suite" ]; then
    cp "$suite"/g/*.bmp "$suite"/b/*.bmp "$corpus"/ 2>/dev/null || true
  fi
done

run() {
  local target=$1
  shift
  echo "== ${target}_fuzzer for ${seconds} s"
  if ! "$bin/${target}_fuzzer" "$work/corpus-$target" "$@" \
      -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$artifacts/$target-" 2>"$work/$target.log"; then
    tail -n 60 "$work/$target.log"
    echo "${target}_fuzzer failed; the input is in $artifacts/ (keep it in fuzz/regressions/$target/ once fixed)" >&2
    return 1
  fi
  grep -E "^(Done|stat::number_of_executed_units|stat::peak_rss_mb)" "$work/$target.log" || true
}

status=0
run bmp -dict=fuzz/bmp.dict || status=1
run settings -max_len=5000 || status=1
run jpeg -dict=fuzz/jpeg.dict -max_len=20000 || status=1
run palette -dict=fuzz/palette.dict -max_len=4096 || status=1
run profiles -dict=fuzz/profiles.dict -max_len=4096 || status=1
exit $status
