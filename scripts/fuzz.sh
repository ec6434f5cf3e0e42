#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a bounded time, each from a scratch copy of its
# seed corpus in fuzz/corpus, with the address, undefined-behaviour and leak checks the build
# was made with. New inputs, logs and findings stay in BUILD_DIR/fuzz-runs. Fails when any
# target reports a crash, a leak, a timeout or running out of memory.
# Usage: scripts/fuzz.sh BUILD_DIR [SECONDS_PER_TARGET]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
seconds="${2:-60}"
source "$here/scripts/sanitizer_env.sh"

failed=0
for target in "$build"/fuzz/*_fuzz; do
  name="$(basename "$target")"
  run="$build/fuzz-runs/$name"
  rm -rf "$run"
  mkdir -p "$run/corpus"
  cp "$here/fuzz/corpus/$name/"* "$run/corpus/"
  # Findings are written to the working folder, so run from the target's own.
  if (cd "$run" && "$target" -max_total_time="$seconds" -timeout=30 -print_final_stats=1 corpus) >"$run/log" 2>&1; then
    echo "$name: $(awk '/stat::number_of_executed_units/ {print $2}' "$run/log") inputs in ${seconds}s, no findings"
  else
    echo "$name: FAILED (log and finding in $run)"
    tail -n 80 "$run/log"
    failed=1
  fi
done
exit "$failed"
