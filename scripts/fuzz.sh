#!/bin/sh
# Runs every fuzz target of a sanitizer build for SECONDS each, two or three at a time.
#   scripts/fuzz.sh [SECONDS] [BUILD_DIR]     (defaults: 60, build-san)
# The corpus grows in BUILD_DIR/fuzz/corpus; a crash leaves its input in
# BUILD_DIR/fuzz/findings and fails the run.
set -eu
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build="${2:-build-san}"
. scripts/sanitizers/env.sh
work="$build/fuzz"
mkdir -p "$work/findings"

seed() { # target, files...
  t="$1"; shift
  mkdir -p "$work/corpus/$t"
  for f in "$@"; do [ -f "$f" ] && cp -n "$f" "$work/corpus/$t/"; done
  # Inputs that once crashed a reader stay in the corpus.
  [ -d "tests/data/fuzz/$t" ] && cp -n tests/data/fuzz/$t/* "$work/corpus/$t/" 2>/dev/null || true
}
seed fuzz_xls tests/data/*.xls fuzz/seeds/xls/*
seed fuzz_biff tests/data/*.xls fuzz/seeds/xls/*
seed fuzz_xlsx tests/data/*.xlsx
seed fuzz_csv tests/data/*.csv
seed fuzz_datetime fuzz/seeds/datetime/*

run() { # target
  "$build/bin/$1" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$work/findings/$1-" "$work/corpus/$1" >"$work/$1.log" 2>&1
  rc=$?
  tail -n 12 "$work/$1.log" | grep -E "stat::number_of_executed_units|stat::peak_rss|Done|ERROR|SUMMARY" || true
  echo "$1: exit $rc"
  return $rc
}

status=0
# Two cores: two targets at a time; the last group shares them three ways.
for group in "fuzz_xls fuzz_xlsx" "fuzz_csv fuzz_datetime fuzz_biff"; do
  pids=""
  for t in $group; do
    run "$t" & pids="$pids $!"
  done
  for p in $pids; do
    wait "$p" || status=1
  done
done
if [ "$status" -ne 0 ]; then
  echo "fuzzing found a fault; inputs in $work/findings, logs in $work/*.log" >&2
  ls -l "$work/findings" >&2
fi
exit $status
