#!/usr/bin/env bash
# Makes the Debian package quorvel-tessaplot_<version>_amd64.deb in build-package/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build-package" -DCMAKE_BUILD_TYPE=Release \
    -DTESSAPLOT_BUILD_TESTS=OFF -DTESSAPLOT_BUILD_BENCH=OFF
(cd "$root/build-package" && cpack -G DEB)
ls "$root"/build-package/quorvel-tessaplot_*.deb
