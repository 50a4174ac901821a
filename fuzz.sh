#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer + UBSan) and runs each one for
# the given number of seconds (default 60) on a copy of its seed corpus. A crash stops
# the script with a failure and leaves the input in build-fuzz/crashes/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
seconds="${1:-60}"
"$root/scripts/install-deps.sh"

build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTESSAPLOT_BUILD_FUZZ=ON -DTESSAPLOT_BUILD_GUI=OFF -DTESSAPLOT_BUILD_TESTS=OFF \
    -DTESSAPLOT_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$build/crashes"
status=0
printf '%-22s %12s %8s %s\n' target executions seconds result
for target in layer_count field_loader comfort_reader decimal_conversion number_texts line_window \
              path_shortening path_text evidence_texts; do
    work="$build/corpus/$target"
    rm -rf "$work"
    mkdir -p "$work"
    cp "$root/fuzz/corpus/$target"/* "$work"/ 2>/dev/null || true
    log="$build/fuzz_$target.log"
    if "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=8192 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$build/crashes/$target-" "$work" >"$log" 2>&1; then
        result=ok
    else
        result="CRASH (see $log)"
        status=1
    fi
    runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
    time=$(grep -E '^stat::.*' "$log" >/dev/null && echo "$seconds")
    printf '%-22s %12s %8s %s\n' "$target" "${runs:-?}" "${time:-?}" "$result"
done
exit $status
