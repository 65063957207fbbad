#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
# Arguments go to CMake: .ci/run builds a second configuration with -DSELVIR_SANITIZE=ON this way.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SELVIR_BUILD_DIR:-$here/build}"
"$here/scripts/deps.sh"
"$here/scripts/build.sh" "$@"
cd "$build"
# Read only by a sanitizer build: whole stacks in undefined-behaviour reports.
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc 2>/dev/null || echo 2)" --timeout 300
