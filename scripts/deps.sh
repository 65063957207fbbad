#!/usr/bin/env bash
# Installs the Debian packages the build and the test suite need, and the locales the tests use.
#   scripts/deps.sh [PACKAGE...]   also installs the packages named (scripts/deps-extra.sh names its own)
# Idempotent: does nothing when everything is present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev
  # libqt6svg6 carries the SVG icon engine and image plugins the toolbar icons load at run time
  qt6-svg-dev libqt6svg6
  # lrelease compiles the Turkish caption set; Qt's own Turkish texts translate its dialog buttons
  qt6-l10n-tools qt6-translations-l10n
  zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # CI's sanitizer configurations build with clang: its address, undefined-behaviour and thread
  # sanitizer runtimes
  libasan8 libubsan1 clang libclang-rt-dev
  # scripts/package.sh: dpkg-shlibdeps finds the package's dependencies
  dpkg-dev
  fonts-dejavu-core
  libproj-dev proj-bin proj-data
  # GDAL writes the products and reads the backgrounds; its tools and Python bindings read them back
  # in the tests
  libgdal-dev gdal-bin python3-gdal
  geographiclib-tools libgeographiclib-dev
  python3 python3-ezdxf
  libdxflib-dev
  # pdftoppm renders the exported PDF maps in the tests
  poppler-utils
  # one test starts the program on a virtual X server and reads its window title
  xvfb xdotool
  locales
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Decimal-comma locales: the number format test writes and reads numbers under one (and fails in CI
# without one).
generate=""
for name in tr_TR de_DE; do
  if ! locale -a 2>/dev/null | grep -qx "$name.utf8"; then
    $SUDO sed -i "s/^# *\($name.UTF-8 UTF-8\)\$/\1/" /etc/locale.gen
    grep -qx "$name.UTF-8 UTF-8" /etc/locale.gen || echo "$name.UTF-8 UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
    generate=1
  fi
done
if [ -n "$generate" ]; then
  $SUDO locale-gen
fi
