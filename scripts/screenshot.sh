#!/usr/bin/env bash
# scripts/screenshot.sh OUT.png [SECONDS]
# Starts a virtual display, the simulator and the program (a copy with its own settings file and data
# folder, so your own are not touched), presses "Realtime", lets the vessel sail SECONDS (default 25),
# writes a picture of the screen to OUT.png and stops everything it started.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SELVIR_BUILD_DIR:-$here/build}"
out="${1:?usage: scripts/screenshot.sh OUT.png [SECONDS]}"
seconds="${2:-25}"
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac
"$here/scripts/deps.sh"
"$here/scripts/build.sh"
bin="$build/bin"

work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cp "$bin/SelvirHS" "$work/SelvirHS"
settings="$work/SelvirHS.INI"
# shellcheck source=demo-lib.sh
source "$here/scripts/demo-lib.sh"
seed_demo_settings
tool settings "$settings" FNav WindowState 0
tool settings "$settings" FNav Left 0
tool settings "$settings" FNav Top 0
tool settings "$settings" FNav Width 1280
tool settings "$settings" FNav Height 780
# A track element on every tick, so the trackline shows after a short sail.
tool settings "$settings" NAVIGATION_SETTINGS TrackInterval 1
tool settings "$settings" CANVAS PlanWorldLeft "$(awk -v v="$(tool settings "$settings" CANVAS PlanWorldLeft)" 'BEGIN { print v + 250 }')"
tool settings "$settings" CANVAS PlanWorldRight "$(awk -v v="$(tool settings "$settings" CANVAS PlanWorldRight)" 'BEGIN { print v - 250 }')"

display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do DISPLAY="$display" xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

start_simulator --speed 12 --line-length 300 --line-spacing 30
pids+=("$sim_pid")

mkdir -p "$work/home"
HOME="$work/home" DISPLAY="$display" "$work/SelvirHS" >"$work/program.log" 2>&1 &
pids+=($!)
window="$(DISPLAY="$display" xdotool search --sync --name "Selvir Dalgaroz" | head -n 1)"
sleep 2
# The realtime switch on the toolbar (the window stands at 0,0: the virtual display has no window
# manager). Checked below through the events log, so a moved button fails loudly, not silently.
DISPLAY="$display" xdotool mousemove --window "$window" 355 36 click 1
sleep "$seconds"
if ! grep -q "Realtime STARTED" "$work/home/GVX/"*/LOG/*" Events.log" 2>/dev/null; then
  echo "screenshot.sh: realtime did not start (no \"Realtime STARTED\" in the events log)" >&2
  exit 1
fi
DISPLAY="$display" import -window root "$out"
echo "wrote $out"
