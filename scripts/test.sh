#!/bin/sh
# Sets up, builds and runs every test: the plain build's tests and the kill
# harness, then the same tests built with AddressSanitizer and
# UndefinedBehaviorSanitizer, then a short run of every fuzz target.
#   TV_FUZZ_SECONDS   seconds per fuzz target (default 60)
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
started=$(date +%s)
step() { echo "== $1 ($(( $(date +%s) - started )) s)"; }

step "plain build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
step "tests"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
if [ -x build/bin/kill_harness ]; then
  step "kill harness"
  build/bin/kill_harness --quick
fi

step "sanitizer build"
CC=clang CXX=clang++ cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTV_SANITIZE=ON -DTV_FUZZ=ON -DTV_BENCH=OFF
cmake --build build-san -j2
step "tests under sanitizers"
. scripts/sanitizers/env.sh
(cd build-san && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
step "fuzzing"
./scripts/fuzz.sh "${TV_FUZZ_SECONDS:-60}" build-san
step "all passed"
