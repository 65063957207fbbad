#!/usr/bin/env bash
# Builds the Debian package selvirhs_<version>_amd64.deb (CPack) and checks it: the package declares
# its dependencies, holds the three programs, the desktop entry and the icon, and the unpacked tools run.
#   scripts/package.sh [CMAKE-ARGS...]   builds into build/ (or $SELVIR_BUILD_DIR) first
# The package is written into the build folder; its path is the last line printed.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SELVIR_BUILD_DIR:-$here/build}"
"$here/scripts/deps.sh"
"$here/scripts/build.sh" "$@"
cd "$build"
rm -f selvirhs_*.deb
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log; exit 1; }
deb="$(ls selvirhs_*_*.deb)"

unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
depends="$(dpkg-deb -f "$deb" Depends)"
for needed in libqt6widgets6 libqt6serialport6 libqt6svg6 zlib1g; do
    case "$depends" in
        *"$needed"*) ;;
        *) echo "package: $deb does not depend on $needed (Depends: $depends)" >&2; exit 1 ;;
    esac
done
for file in usr/bin/SelvirHS usr/bin/selvirhs-tool usr/bin/selvirhs-sim \
            usr/share/applications/selvirhs.desktop usr/share/icons/hicolor/scalable/apps/selvirhs.svg; do
    [ -e "$unpacked/$file" ] || { echo "package: $deb lacks /$file" >&2; exit 1; }
done
"$unpacked/usr/bin/selvirhs-tool" --help | grep -q "Usage: selvirhs-tool" ||
    { echo "package: the unpacked selvirhs-tool does not run" >&2; exit 1; }
"$unpacked/usr/bin/selvirhs-sim" --help >/dev/null ||
    { echo "package: the unpacked selvirhs-sim does not run" >&2; exit 1; }
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$unpacked/usr/share/applications/selvirhs.desktop"
fi
echo "package: $(du -h "$deb" | cut -f1) with $(dpkg-deb -c "$deb" | grep -vc '/$') files; Depends: $depends"
echo "$build/$deb"
