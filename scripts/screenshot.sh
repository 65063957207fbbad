#!/usr/bin/env bash
# scripts/screenshot.sh OUT.png [SECONDS] [--window NAME] [--turkish] [--runlines] [--theme THEME]
# Starts a virtual display, the simulator and the program (a copy with its own settings file and data
# folder, so your own are not touched), presses "Realtime", lets the vessel sail SECONDS (default 25),
# writes a picture of the screen to OUT.png and stops everything it started. With --window NAME it
# opens that window (by the keys a surveyor would press, table below) before the picture. With
# --runlines the map holds runlines over the simulator's pattern and the helmsman steers along them;
# with --theme THEME the program starts in that theme (written into the copied settings file); with
# --turkish the captions are switched to Turkish (Ctrl+T) before the window opens.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SELVIR_BUILD_DIR:-$here/build}"
usage="usage: scripts/screenshot.sh OUT.png [SECONDS] [--window NAME] [--turkish] [--runlines] [--theme THEME]"

# NAME -> the xdotool key names that open the window from the main window, one after another.
declare -A window_keys=(
  [realtime]="ctrl+shift+r"
  [waterfall]="ctrl+shift+w"
  [theme]="ctrl+shift+t"
  [turkish]="ctrl+t ctrl+shift+r" # not a window: the main window in Turkish, with the realtime data window
  [settings]="F10"
  [settings-sensor]="F10 ctrl+Tab"
  [settings-geodetic]="F10 ctrl+Tab ctrl+Tab"
  [settings-global]="F10 ctrl+Tab ctrl+Tab ctrl+Tab"
  [settings-monitor]="F10 ctrl+Tab ctrl+Tab ctrl+Tab ctrl+Tab"
  [offsets]="ctrl+shift+o"
  [navigation]="ctrl+shift+n"
  [vessel]="ctrl+shift+v"
  [latency]="ctrl+shift+l"
  [svp]="ctrl+shift+p"
  [svp-graph]="ctrl+shift+p ctrl+g"
  [runlines]="ctrl+g"
  [guidance]="ctrl+l"
  [export]="ctrl+shift+m"
)

positional=()
open_window=""
runlines=""
theme=""
turkish=""
while [[ $# -gt 0 ]]; do
  case "$1" in
    --runlines)
      runlines=1
      shift
      ;;
    --turkish)
      turkish=1
      shift
      ;;
    --window)
      open_window="${2:?$usage}"
      shift 2
      ;;
    --theme)
      theme="${2:?$usage}"
      shift 2
      ;;
    *)
      positional+=("$1")
      shift
      ;;
  esac
done
out="${positional[0]:?$usage}"
seconds="${positional[1]:-25}"
if [[ -n "$open_window" && -z "${window_keys[$open_window]+set}" ]]; then
  echo "screenshot.sh: no window named \"$open_window\"; known: ${!window_keys[*]}" >&2
  exit 2
fi
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac
"$here/scripts/deps-extra.sh"
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
if [[ -n "$theme" ]]; then
  tool settings "$settings" APPLICATION ThemeStyle "$theme"
fi
# A track element on every tick, so the trackline shows after a short sail.
tool settings "$settings" NAVIGATION_SETTINGS TrackInterval 1
tool settings "$settings" CANVAS PlanWorldLeft "$(awk -v v="$(tool settings "$settings" CANVAS PlanWorldLeft)" 'BEGIN { print v + 250 }')"
tool settings "$settings" CANVAS PlanWorldRight "$(awk -v v="$(tool settings "$settings" CANVAS PlanWorldRight)" 'BEGIN { print v - 250 }')"

# The sound velocity windows open on a real cast: the day's four tables as the window saves them.
case "$open_window" in
  svp | svp-graph)
    tool svp --save-to "$work/home/GVX" "$here/tests/data/svp/CTD_with_sigma_e00.cnv" >/dev/null
    ;;
esac

display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do DISPLAY="$display" xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

[[ -n "$runlines" ]] && seed_demo_runlines 300 30 "$work/runlines.gvx"
start_simulator --speed 12 --line-length 300 --line-spacing 30
pids+=("$sim_pid")

mkdir -p "$work/home"
HOME="$work/home" DISPLAY="$display" "$work/SelvirHS" >"$work/program.log" 2>&1 &
pids+=($!)
window="$(DISPLAY="$display" xdotool search --sync --name "Selvir Dalgaroz" | head -n 1)"
title="$(DISPLAY="$display" xdotool getwindowname "$window")"
[[ "$title" == "Selvir Dalgaroz" ]] || echo "screenshot.sh: the window title reads \"$title\"" >&2
sleep 2
# The offsets dialog opens on top at start: the surveyor confirms the day's offsets with Return (its
# "Realtime" button), which records them and presses the realtime switch. Checked below through the
# events log, so a dialog that refuses the demonstration offsets fails loudly, not silently.
offsets_dialog="$(DISPLAY="$display" xdotool search --sync --name "Offsets Essential" | head -n 1)"
DISPLAY="$display" xdotool windowfocus --sync "$offsets_dialog"
DISPLAY="$display" xdotool key Return
sleep "$seconds"
keys="${turkish:+ctrl+t}"
if [[ -n "$open_window" ]]; then
  keys+=" ${window_keys[$open_window]}"
fi
if [[ -n "${keys// /}" ]]; then
  DISPLAY="$display" xdotool windowactivate --sync "$window" 2>/dev/null || DISPLAY="$display" xdotool windowfocus --sync "$window"
  for key in $keys; do
    DISPLAY="$display" xdotool key "$key"
    sleep 0.3
  done
  sleep 1.5
fi
DISPLAY="$display" import -window root "$out"
echo "wrote $out"
if ! grep -q "Realtime STARTED" "$work/home/GVX/"*/LOG/*" Events.log" 2>/dev/null; then
  echo "screenshot.sh: realtime did not start (no \"Realtime STARTED\" in the events log)" >&2
  exit 1
fi
