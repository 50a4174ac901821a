#!/usr/bin/env bash
# Builds everything and runs every test: once in a normal build and once with
# AddressSanitizer and UndefinedBehaviorSanitizer. The window tests need an X
# server; without a display they run under Xvfb.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/install-deps.sh"

run_suite() {
    local build_dir="$1"
    if [ -n "${DISPLAY:-}" ]; then
        ctest --test-dir "$build_dir" --output-on-failure -j 2
    else
        xvfb-run -a -s "-screen 0 1280x1024x24" \
            ctest --test-dir "$build_dir" --output-on-failure -j 2
    fi
}

"$root/scripts/build.sh" "$root/build" -DTESSAPLOT_SANITIZE=OFF
run_suite "$root/build"

echo "== again with AddressSanitizer and UndefinedBehaviorSanitizer"
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
"$root/scripts/build.sh" "$root/build-sanitize" -DTESSAPLOT_SANITIZE=ON -DTESSAPLOT_BUILD_BENCH=OFF
run_suite "$root/build-sanitize"
