#!/usr/bin/env bash
# Installs what is missing, builds the program, starts the simulated receiver and echosounder on two
# pseudo-terminals, maps them to the program's serial ports and starts the program. Press "Realtime".
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SELVIR_BUILD_DIR:-$here/build}"
"$here/scripts/deps-extra.sh"
"$here/scripts/build.sh"
bin="$build/bin"
settings="$bin/SelvirHS.INI"
# shellcheck source=demo-lib.sh
source "$here/scripts/demo-lib.sh"
seed_demo_settings
start_simulator
trap 'kill "$sim_pid" 2>/dev/null || true' EXIT
"$bin/SelvirHS" "$@"
