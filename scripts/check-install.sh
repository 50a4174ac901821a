#!/usr/bin/env bash
# Installs a build into a scratch DESTDIR and checks what a desktop and a package
# manager read: the desktop entry, the AppStream metadata, the man page, that the
# installed program runs, and that the Debian package holds the same files.
set -euo pipefail
build_dir="${1:?usage: check-install.sh BUILD_DIR}"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build_dir" --prefix /usr >/dev/null
share="$stage/usr/share"
desktop-file-validate "$share/applications/io.quorvel.Tessaplot.desktop"
appstreamcli validate --no-net --pedantic "$share/metainfo/io.quorvel.Tessaplot.metainfo.xml" >/dev/null
MANWIDTH=80 man -l "$share/man/man1/plotvane.1.gz" | grep -q -- "--export"
"$stage/usr/bin/plotvane" --version | grep -q "^plotvane "
test -s "$share/doc/quorvel-tessaplot/copyright"
gzip -t "$share/doc/quorvel-tessaplot/changelog.gz"
for icon in scalable/apps/io.quorvel.Tessaplot.svg 48x48/apps/io.quorvel.Tessaplot.png \
            256x256/apps/io.quorvel.Tessaplot.png; do
    test -s "$share/icons/hicolor/$icon"
done
# The Debian package holds exactly what the install puts on the machine.
(cd "$build_dir" && cpack -G DEB >/dev/null)
deb="$(ls "$build_dir"/quorvel-tessaplot_*_amd64.deb)"
diff <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort) \
     <(cd "$stage" && find . -type f | sed 's|^\./||' | sort)
# Debian's own checks of a package: no errors (the warnings are listed in the README).
lintian --fail-on error --suppress-tags-from-file /dev/null "$deb" | sed 's/^/lintian: /' || {
    echo "lintian found errors in $deb"
    exit 1
}
echo "install check: $(cd "$stage" && find . -type f | wc -l) files installed and valid"
