#!/usr/bin/env bash
# Builds everything and runs every test: the suite in a normal build, a short run of
# every fuzz target, and the suite again with AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer. The window tests need an X server; without a display
# they run under Xvfb.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/install-deps.sh"

# The tests talk to no desktop session bus, whatever the machine has.
export DBUS_SESSION_BUS_ADDRESS="disabled:"

run_suite() {
    local build_dir="$1"
    if [ -n "${DISPLAY:-}" ]; then
        ctest --test-dir "$build_dir" --output-on-failure -j 2
    else
        xvfb-run -a -s "-screen 0 1280x1024x24" \
            ctest --test-dir "$build_dir" --output-on-failure -j 2
    fi
}

echo "== build and test"
"$root/scripts/build.sh" "$root/build" -DTESSAPLOT_SANITIZE=OFF
run_suite "$root/build"
"$root/scripts/check-install.sh" "$root/build"
"$root/scripts/check-readme-commands.sh" "$root/build"

echo "== the platform-free core on Windows: cross-built, run under Wine"
"$root/scripts/windows-core-tests.sh" "$root/build-windows"

echo "== fuzz smoke: every reader and converter for ${FUZZ_SECONDS:-20} s each"
"$root/fuzz.sh" "${FUZZ_SECONDS:-20}"

echo "== again with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
"$root/scripts/build.sh" "$root/build-sanitize" -DTESSAPLOT_SANITIZE=ON -DTESSAPLOT_BUILD_BENCH=OFF
run_suite "$root/build-sanitize"
