#!/usr/bin/env bash
# Builds the viewer and starts it in the bundled sample result directory, so that
# "Open" shows that directory first.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: the viewer needs a window system." >&2
    echo "On a machine without a screen, run it under a virtual one:  xvfb-run -a ./run.sh" >&2
    exit 1
fi

cd "$root/samples/jacket-run"
exec "$root/build/plotvane"
