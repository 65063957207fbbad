#!/usr/bin/env bash
# Installs what scripts/deps.sh does plus what the demonstration, the screenshots and fuzzing add.
# Idempotent: does nothing when everything is present.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
extra=(
  # fuzz.sh: clang with libFuzzer and its sanitizer runtimes; clang-format for the sources
  clang libclang-rt-dev clang-format
  # screenshot.sh: xdpyinfo waits for the virtual display, ImageMagick's import takes the picture
  x11-utils xauth imagemagick
)
"$here/deps.sh" "${extra[@]}"
