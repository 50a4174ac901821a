#!/usr/bin/env bash
# Cross-builds the platform-free core and its tests for 64-bit Windows and runs them
# under Wine. Needs Debian's g++-mingw-w64-x86-64 and wine64; when those cannot be
# installed on this machine the run is skipped and says so (status 0), since the
# Linux suites do not depend on it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$(realpath -m "${1:-$root/build-windows}")" # Wine takes only an absolute prefix

have_tools() {
    command -v x86_64-w64-mingw32-g++-posix >/dev/null && command -v wine >/dev/null &&
        [ -x /usr/lib/wine/wine64 ]
}

if ! have_tools; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    install() {
        "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
            g++-mingw-w64-x86-64 wine64 wine >/dev/null 2>&1
    }
    if ! install && ! { "${sudo_cmd[@]}" apt-get update -qq >/dev/null 2>&1 && install; }; then
        echo "windows core tests: skipped, g++-mingw-w64-x86-64 and wine64 cannot be installed here"
        exit 0
    fi
fi

cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DTESSAPLOT_BUILD_GUI=OFF -DTESSAPLOT_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" -j "$(nproc 2>/dev/null || echo 2)" --target core_tests

# A Wine prefix of our own, made quietly: no desktop, no add-on installers.
export WINEPREFIX="$build_dir/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine writes a Windows file name to the Linux file system in the encoding of the
# locale it runs in; in "C" or POSIX it can write no name beyond ASCII, which the tests
# create. Linux file names here are UTF-8, whatever locale the caller has set.
export LC_ALL=C.UTF-8
unset LANGUAGE
unset DISPLAY
wine wineboot --init >/dev/null 2>&1 || true
status=0
timeout 900 wine "$build_dir/tests/core_tests.exe" --gtest_brief=1 || status=$?
wine wineserver -k >/dev/null 2>&1 || true
exit $status
