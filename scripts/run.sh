#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SELVIR_BUILD_DIR:-$here/build}"
"$here/scripts/deps.sh"
"$here/scripts/build.sh"
exec "$build/bin/SelvirHS" "$@"
