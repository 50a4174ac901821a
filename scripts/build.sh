#!/usr/bin/env bash
# Configures and builds into the given directory (default: build), with any extra
# CMake arguments after it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${1:-$root/build}"
shift || true
jobs="$(nproc 2>/dev/null || echo 2)"
# Tests and benchmarks on, also where ./run.sh configured the directory without them.
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTESSAPLOT_BUILD_TESTS=ON -DTESSAPLOT_BUILD_BENCH=ON "$@" >/dev/null
cmake --build "$build_dir" -j "$jobs"
