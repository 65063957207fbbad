#!/usr/bin/env bash
# The tests whose code runs on several threads (the map picture rebuilt on every core, the serial
# readers), built with clang and ThreadSanitizer into build-tsan/ (or $SELVIR_BUILD_DIR) and run.
#   scripts/test-threads.sh [CMAKE-ARGS...]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SELVIR_BUILD_DIR:-$here/build-tsan}"
threaded_tests=(canvas_widget_tests)
"$here/scripts/deps.sh"
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSELVIR_TSAN=ON -DSELVIR_BUILD_BENCH=OFF "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc 2>/dev/null || echo 2)" --target "${threaded_tests[@]}"
export TSAN_OPTIONS="${TSAN_OPTIONS:-halt_on_error=1 second_deadlock_stack=1} suppressions=$here/scripts/tsan.supp"
for test in "${threaded_tests[@]}"; do
    QT_QPA_PLATFORM=offscreen LC_ALL=C "$build/bin/$test" --gtest_brief=1
done
