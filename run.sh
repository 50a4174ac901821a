#!/usr/bin/env bash
# Installs what building and running the viewer needs, builds the viewer alone
# (./test.sh and ./bench.sh build and install for the tests and benchmarks) and starts
# it on the bundled sample result directory with a Fabric picture shown. Without a
# display it starts under a virtual X server and says how to look at it. Ctrl+C ends
# the viewer (and its virtual display) and the script with status 0.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/install-deps.sh" viewer

# The directory ./test.sh builds whole; a first build here leaves the tests and
# benchmarks out (./test.sh and ./bench.sh switch them on).
build_dir="$root/build"
options=()
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    options=(-DTESSAPLOT_BUILD_TESTS=OFF -DTESSAPLOT_BUILD_BENCH=OFF)
fi
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
cmake --build "$build_dir" -j "$(nproc 2>/dev/null || echo 2)" --target plotvane

# Started inside the sample, so that "Open" shows it first too.
cd "$root/samples/jacket-run"
viewer=("$build_dir/plotvane" . --page Fabric --layer 1 --variable "Temperature(degree of C)")

# The viewer runs in the background, where the terminal's Ctrl+C does not reach it (nor
# a virtual X server, which would die under it first); Ctrl+C here ends it.
pid_file="$(mktemp)"
trap 'rm -f "$pid_file"' EXIT
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    "${viewer[@]}" &
    echo $! >"$pid_file"
else
    echo "No display found: starting the viewer on a virtual one (xvfb-run)."
    # xvfb-run picks a free display and its own authority file; both are known only inside.
    PID_FILE="$pid_file" setsid xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        echo "The viewer runs on display $DISPLAY. To look at it, take a screenshot:"
        echo "  DISPLAY=$DISPLAY XAUTHORITY=$XAUTHORITY import -window root screenshot.png"
        command -v import >/dev/null || echo "  (import is ImageMagick'"'"'s: sudo apt-get install imagemagick)"
        echo "Stop it with Ctrl+C."
        # Not the foreground child of a shell, which would report it "Terminated".
        "$@" &
        echo $! >"$PID_FILE"
        wait $!' run.sh "${viewer[@]}" &
fi
session=$!
stopped=0
stop() {
    stopped=1
    kill -TERM "$(cat "$pid_file")" 2>/dev/null || true
}
trap stop INT TERM
status=0
wait "$session" || status=$?
# A trapped signal ends a wait early: wait again until the viewer is gone.
while kill -0 "$session" 2>/dev/null; do
    status=0
    wait "$session" || status=$?
done
if [ "$stopped" -eq 1 ]; then
    status=0
fi
exit "$status"
