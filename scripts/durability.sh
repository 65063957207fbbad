#!/usr/bin/env bash
# Kills selvirhs-tool replay of a simulated survey with SIGKILL at random moments and checks after each
# kill that the survey file holds one header, only complete rows and every row reported written.
# The test suite runs the same check on a 10-minute survey; this runs it on a longer one.
#   scripts/durability.sh [MINUTES [KILLS [SEED]]]     (defaults: 120 minutes, 20 kills, a random seed)
# An argument left out comes from SELVIR_DURABILITY_MINUTES, _KILLS or _SEED when set. The seed in use
# is printed first: give it again to kill at about the same points of the replay.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SELVIR_BUILD_DIR:-$here/build}"
ninja -C "$build" -j2 navigation_durability_tests selvirhs-tool >/dev/null
SELVIR_DURABILITY_MINUTES="${1:-${SELVIR_DURABILITY_MINUTES:-120}}" \
    SELVIR_DURABILITY_KILLS="${2:-${SELVIR_DURABILITY_KILLS:-20}}" \
    SELVIR_DURABILITY_SEED="${3:-${SELVIR_DURABILITY_SEED:-}}" \
    "$build/bin/navigation_durability_tests"
