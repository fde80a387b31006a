#!/usr/bin/env bash
# Start-up benchmark: how long ze4k takes from launch until its main window is on the
# screen and its event loop answers, against a minimal Qt Widgets program measured in the
# same run under the same display. Prints figures; never fails on a time.
#
#   bench/run.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR defaults to build/release, else build/asan. Nothing is built here: build the
# project first (the benchmark programs are part of the normal build).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-}
if [ -z "$build" ]; then
  if [ -x build/release/bin/ze4k ]; then build=build/release; else build=build/asan; fi
fi
runs=${2:-5}
app=$build/bin/ze4k
minimal=$build/bench/minimal_window
probe=$build/bench/window_probe
for f in "$app" "$minimal" "$probe"; do
  [ -x "$f" ] || { echo "missing $f: build $build first" >&2; exit 2; }
done
command -v Xvfb >/dev/null || { echo "Xvfb not found (Debian package xvfb)" >&2; exit 2; }

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own; Xvfb picks a free number and tells us which.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
unset WAYLAND_DISPLAY

# One launch: prints "MAP_MS IDLE_MS" measured from the moment of launch.
measure() {
  local start pid out
  start=$(date +%s%N)
  "$@" >"$work/out.log" 2>&1 &
  pid=$!
  if out=$("$probe" "$pid" 120); then
    read -r mapped idle <<<"$out"
    awk -v s="$start" -v m="$mapped" -v i="$idle" 'BEGIN { printf "%.1f %.1f\n", (m - s) / 1e6, (i - s) / 1e6 }'
  else
    echo "fail"
  fi
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One unmeasured launch of each warms the file-system and font caches.
measure "$minimal" >/dev/null
measure "$app" >/dev/null
: >"$work/app" ; : >"$work/min"
for _ in $(seq "$runs"); do
  measure "$minimal" >>"$work/min"
  measure "$app" >>"$work/app"
done
if grep -q fail "$work/app" "$work/min"; then
  echo "some launches did not reach an idle main window:" >&2
  grep -c fail "$work/app" "$work/min" >&2
fi
app_idle=$(grep -v fail "$work/app" | cut -d' ' -f2 | median)
app_map=$(grep -v fail "$work/app" | cut -d' ' -f1 | median)
min_idle=$(grep -v fail "$work/min" | cut -d' ' -f2 | median)
min_map=$(grep -v fail "$work/min" | cut -d' ' -f1 | median)
echo "ze4k:    median ${app_idle} ms to an idle main window (mapped at ${app_map} ms), $runs runs, $build"
echo "minimal: median ${min_idle} ms to an idle main window (mapped at ${min_map} ms), $runs runs"
awk -v a="$app_idle" -v m="$min_idle" 'BEGIN { if (m > 0) printf "ratio ze4k/minimal: %.2f\n", a / m }'
