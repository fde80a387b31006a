#!/usr/bin/env bash
# Clone benchmark: a full read and a full write against the virtual radio pacing every byte
# at the cable's speed, each as a ratio to the floor measured in the same run, and the
# longest stall of the event loop while a clone runs. Prints figures; never fails on a time.
#
#   bench/clone.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR defaults to build/release, else build/asan. Nothing is built here: build the
# project first (the benchmark is part of the normal build where the virtual radio is).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-}
if [ -z "$build" ]; then
  if [ -x build/release/bench/clone_bench ]; then build=build/release; else build=build/asan; fi
fi
runs=${2:-3}
bench=$build/bench/clone_bench
[ -x "$bench" ] || { echo "missing $bench: build $build first" >&2; exit 2; }
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}

echo "clone benchmark, $runs runs, $build"
"$bench" "$runs"
