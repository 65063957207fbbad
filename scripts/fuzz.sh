#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (address and undefined-behaviour sanitizers) and
# runs one of them.  Usage: scripts/fuzz.sh TARGET [SECONDS]   (scripts/fuzz.sh --list lists targets)
# New inputs go to fuzz/work/TARGET/; crashes to fuzz/artifacts/. The seed corpus is not modified:
# copy a crash reproducer into fuzz/corpus/TARGET/ once it is fixed, so the test suite keeps it.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SELVIR_FUZZ_BUILD_DIR:-$here/build-fuzz}"
targets=$(sed -n 's/^selvir_add_fuzz(\([a-z_]*\).*/\1/p' "$here/fuzz/CMakeLists.txt")
if [ "${1:-}" = "--list" ] || [ $# -lt 1 ]; then
    echo "$targets"
    [ $# -lt 1 ] && { echo "usage: scripts/fuzz.sh TARGET [SECONDS]" >&2; exit 2; }
    exit 0
fi
target="$1"
seconds="${2:-60}"
echo "$targets" | grep -qx "$target" || { echo "unknown fuzz target: $target" >&2; exit 2; }
"$here/scripts/deps-extra.sh"
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSELVIR_FUZZ=ON -DSELVIR_BUILD_TESTS=OFF -DSELVIR_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target "$target"
mkdir -p "$here/fuzz/work/$target" "$here/fuzz/artifacts"
cd "$here"
QT_QPA_PLATFORM=offscreen "$build/bin/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="fuzz/artifacts/$target-" "fuzz/work/$target" "fuzz/corpus/$target"
