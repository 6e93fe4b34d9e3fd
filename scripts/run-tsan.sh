#!/usr/bin/env bash
# Builds the tests of the code that runs on several threads (the pixel pool and its workers, the
# kernels split in bands across the cores, the file operations, rastrix-batch's -j workers) with
# ThreadSanitizer and runs them; any data race fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset tsan >/dev/null
cmake --build --preset tsan
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}
for suite in raster_tests store_tests codec_tests editor_tests batch_tests; do
  echo "== $suite (ThreadSanitizer)"
  build/tsan/tests/$suite --gtest_brief=1
done
