#!/usr/bin/env bash
# Makes the Debian package quorvel-tessaplot_<version>_amd64.deb in build-package/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
# Debian's hardening flags (stack protector, fortified functions, read-only
# relocations bound at start), as a package built by Debian itself gets them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
"$root/scripts/build.sh" "$root/build-package" -DCMAKE_BUILD_TYPE=Release \
    -DTESSAPLOT_BUILD_TESTS=OFF -DTESSAPLOT_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
(cd "$root/build-package" && cpack -G DEB)
ls "$root"/build-package/quorvel-tessaplot_*.deb
