#!/usr/bin/env bash
# A long field day with the simulator: the receiver's adapter pulled out and plugged back every 4 s
# (behind a stable link), and the data folder's disk filling and freeing again; checks that every depth
# sent is in the survey file, whole and in order. The test suite runs the same check for 12 seconds.
#   scripts/field-day.sh [MINUTES]     (default 10)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SELVIR_BUILD_DIR:-$here/build}"
minutes="${1:-10}"
ninja -C "$build" -j2 navigation_pty_tests selvirhs-sim >/dev/null
QT_QPA_PLATFORM=offscreen SELVIR_FIELD_SECONDS="$((minutes * 60))" \
    "$build/bin/navigation_pty_tests" --gtest_filter='FieldDay.*'
