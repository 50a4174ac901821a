#!/usr/bin/env bash
# Builds the optimised viewer and prints its speed on large generated result
# directories (made once under build-bench/data). Not part of the tests: it prints
# figures and judges nothing.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/install-deps.sh"
# numpy only serves as a yardstick for the reader.
if ! /usr/bin/python3 -c "import numpy" 2>/dev/null; then
    if [ "$(id -u)" -eq 0 ]; then apt-get install -y -qq --no-install-recommends python3-numpy >/dev/null || true
    else sudo apt-get install -y -qq --no-install-recommends python3-numpy >/dev/null || true; fi
fi
"$root/scripts/build.sh" "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DTESSAPLOT_BUILD_TESTS=OFF
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), $(free -g | awk '/Mem:/{print $2}') GiB"
echo "command: ./bench.sh"
run=("$root/build-bench/bench/bench_report" "$root/build-bench/data")
if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}"
else
    "${run[@]}"
fi
"$root/build-bench/bench/summary_bench" "$root/build-bench/plotvane" "$root/build-bench/data"
echo
echo "Micro-benchmarks of the comfort tick's pure part:"
"$root/build-bench/bench/tessaplot_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
