#!/usr/bin/env bash
# Builds ze4k (release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZE4K_TESTS=OFF
cmake --build build/release
exec build/release/bin/ze4k "$@"
