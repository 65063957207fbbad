# Shared by run.sh and screenshot.sh: the simulator on two pseudo-terminals mapped to the ports the
# program's settings name, and demonstration settings for what the surveyor has not set yet.
# Expects $bin (the build's bin folder) and $settings (the program's settings file).

tool() { "$bin/selvirhs-tool" "$@"; }

# COMn of a port section ("COM1" when unset) -> n
port_number() {
  local value
  value="$(tool settings "$settings" "$1" "Port No" 2>/dev/null || echo COM1)"
  value="${value#COM}"
  [[ "$value" =~ ^[0-9]+$ ]] && echo "$value" || echo 1
}

# Starts selvirhs-sim on two pseudo-terminals and writes their paths into the settings file's
# SERIAL_DEVICES section under the ports the settings choose. Sets sim_pid.
start_simulator() {
  local gnss sbes
  gnss="$(port_number "GPS1 COMUNICATION SETTINGS")"
  sbes="$(port_number "SENSOR COMUNICATION SETTINGS")"
  [[ "$sbes" == "$gnss" ]] && sbes=$((gnss + 1))
  tool settings "$settings" "GPS1 COMUNICATION SETTINGS" "Port No" "COM$gnss"
  tool settings "$settings" "SENSOR COMUNICATION SETTINGS" "Port No" "COM$sbes"
  local ready
  ready="$(mktemp)"
  "$bin/selvirhs-sim" --write-mapping "$settings" --gnss-com "$gnss" --sbes-com "$sbes" "$@" >"$ready" &
  sim_pid=$!
  for _ in $(seq 100); do
    [[ "$(wc -l <"$ready")" -ge 2 ]] && break
    sleep 0.05
  done
  sed 's/^/simulator: /' "$ready"
  rm -f "$ready"
}

# Values a first demonstration needs, written only where the settings file has none.
seed_demo_settings() {
  local s="$settings"
  local put=(tool settings --if-missing "$s")
  "${put[@]}" NAVIGATION_SETTINGS TrackInterval 2
  "${put[@]}" NAVIGATION_SETTINGS TrackWidth 3
  "${put[@]}" NAVIGATION_SETTINGS VesselWidth 2
  "${put[@]}" NAVIGATION_SETTINGS VesselColor 8388608      # navy
  "${put[@]}" NAVIGATION_SETTINGS ColorTracklines1 41984   # green: RTK fixed
  "${put[@]}" NAVIGATION_SETTINGS ColorTracklines0 33023   # orange: float, DGPS
  "${put[@]}" NAVIGATION_SETTINGS GridColor 8421504        # grey: no fix
  "${put[@]}" NAVIGATION_SETTINGS BackgroundColor 16777215 # white
  "${put[@]}" NAVIGATION_SETTINGS edDepthAlert 3
  "${put[@]}" VESSEL_SHAPE "Arrow length to bow" 30
  "${put[@]}" VESSEL_SHAPE "Left right offset of arrow" 8
  "${put[@]}" VESSEL_SHAPE "Radious of first circle" 10
  "${put[@]}" VESSEL_SHAPE "Cirecle offset interval" 10
  "${put[@]}" DEPTH_LABEL_SETTINGS LabelSpacing 25
  "${put[@]}" ECHOSOUNDER_OFFSETS "Offset A" 0.5
  "${put[@]}" ECHOSOUNDER_OFFSETS "Offset B" 2.3
  "${put[@]}" ECHOSOUNDER_OFFSETS "Offset C" 1.8
  "${put[@]}" ECHOSOUNDER_OFFSETS SV 1500
  "${put[@]}" ECHOSOUNDER_OFFSETS "Tide Height" 0
  "${put[@]}" ECHOSOUNDER_OFFSETS SurveyLocation "Simulated survey area"
  "${put[@]}" ECHOSOUNDER_OFFSETS SurveyBoat "Demo boat"
  "${put[@]}" ECHOSOUNDER_OFFSETS Surveyor "Demo surveyor"
  "${put[@]}" "SENSOR COMUNICATION SETTINGS" cSBESMessage "Selvir SMT"
  # The view around the simulator's survey area (41.0 N, 29.0 E on the default grid).
  local e n
  read -r e n _ < <(echo "41.0 29.0 0" | tool geo --settings "$s")
  "${put[@]}" CANVAS PlanWorldLeft "$(awk -v v="$e" 'BEGIN { printf "%.0f", v - 500 }')"
  "${put[@]}" CANVAS PlanWorldRight "$(awk -v v="$e" 'BEGIN { printf "%.0f", v + 500 }')"
  "${put[@]}" CANVAS PlanWorldTop "$(awk -v v="$n" 'BEGIN { printf "%.0f", v + 350 }')"
  "${put[@]}" CANVAS PlanWorldBottom "$(awk -v v="$n" 'BEGIN { printf "%.0f", v - 350 }')"
}

# Runlines over the simulator's survey pattern: parallel lines `spacing` metres apart either side of a
# route one spacing west of its first line (`length` metres north and south through the origin, as the
# simulator sails it), so the first runline east of the route is the line the simulator sails first
# (the route orders the lines and is no line to survey). Written as a layout the program reloads at
# start. Arguments: line length and spacing of the simulator, the layout file to write.
seed_demo_runlines() {
  local length="$1" spacing="$2" layout="$3" south north west
  # The simulator's local plane: metres to degrees with the radii of curvature at 41 N (WGS-84).
  read -r south north west < <(awk -v half="$(awk -v l="$length" 'BEGIN { print l / 2 }')" -v s0="$spacing" 'BEGIN {
    a = 6378137; f = 1 / 298.257223563; e2 = f * (2 - f); pi = atan2(0, -1); s = sin(41 * pi / 180)
    m = a * (1 - e2) / (1 - e2 * s * s) ^ 1.5; n = a / sqrt(1 - e2 * s * s)
    printf "%.10f %.10f %.10f\n", 41 - half / (m * pi / 180), 41 + half / (m * pi / 180),
      29 - s0 / (n * cos(41 * pi / 180) * pi / 180) }')
  local route=()
  while read -r e n _; do route+=("$e,$n"); done < <(printf '%s %s 0\n%s %s 0\n' "$south" "$west" "$north" "$west" | tool geo --settings "$settings")
  tool runlines --route "${route[@]}" --spacing "$spacing" --length "$((spacing * 4))" --parallel --gvx "$layout" >/dev/null
  tool settings "$settings" FILE "Last File Saved" "$layout"
}
