#!/usr/bin/env bash
# The main window's title as a real X server shows it: exactly "Selvir Dalgaroz", nothing appended by
# the toolkit. Runs its own copy of the program (settings beside it, data under a scratch home).
#   real_display_title.sh PROGRAM
set -euo pipefail
program="${1:?usage: real_display_title.sh PROGRAM}"
export QT_QPA_PLATFORM=xcb

work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display number the server picks itself, so parallel runs never collide.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.05; done
export DISPLAY=":$(head -n 1 "$work/display")"

cp "$program" "$work/SelvirHS"
mkdir "$work/home"
HOME="$work/home" "$work/SelvirHS" >"$work/program.log" 2>&1 &
pids+=($!)
window="$(timeout 20 xdotool search --sync --name "Selvir Dalgaroz" | head -n 1)" || {
  echo "no window titled Selvir Dalgaroz appeared" >&2
  cat "$work/program.log" >&2
  exit 1
}
title="$(xdotool getwindowname "$window")"
if [[ "$title" != "Selvir Dalgaroz" ]]; then
  echo "the window title is \"$title\", not \"Selvir Dalgaroz\"" >&2
  exit 1
fi
echo "title: $title"
