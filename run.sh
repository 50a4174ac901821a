#!/usr/bin/env bash
# Installs what the viewer needs, builds the viewer alone (./test.sh and ./bench.sh build
# the tests and benchmarks) and starts it on the bundled sample result directory with a
# Fabric picture shown. Without a display it starts under a virtual X server and says
# how to look at it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/install-deps.sh"

# The same configuration as scripts/build.sh gives `build`, which ./test.sh builds whole.
build_dir="$root/build"
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j "$(nproc 2>/dev/null || echo 2)" --target plotvane

# Started inside the sample, so that "Open" shows it first too.
cd "$root/samples/jacket-run"
viewer=("$build_dir/plotvane" . --page Fabric --layer 1 --variable "Temperature(degree of C)")

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "${viewer[@]}"
fi

echo "No display found: starting the viewer on a virtual one (xvfb-run)."
# xvfb-run picks a free display and its own authority file; both are known only inside.
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    echo "The viewer runs on display $DISPLAY. To look at it, take a screenshot:"
    echo "  DISPLAY=$DISPLAY XAUTHORITY=$XAUTHORITY import -window root screenshot.png"
    echo "Stop it with Ctrl+C."
    exec "$@"' run.sh "${viewer[@]}"
