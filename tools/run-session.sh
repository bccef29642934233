#!/usr/bin/env bash
# Starts Quorvane on $DISPLAY as an installed copy would run, over the demo hardware: the
# settings key names the folder of the program, and the run's own prefix gets a demo preset
# (the monitor tall enough for every tile, the system view beside it). Live, the preset is
# written only while the prefix has no placement of the user's. --headless: the demo without
# its timeline (nothing changes under the clicks) and a fresh state folder, clicked through a
# short sequence of screenshots: the monitor, the system view on the device that failed, its
# options; then the program ends.
set -eu
cd "$(dirname "$0")/.."
. tools/wine-env.sh
bin=build/x86_64/bin
key='HKCU\Software\Tarvex\Quorvane'
tools/wine-prefix.sh start
"$wine_bin" reg add 'HKLM\Software\Tarvex\Quorvane' /v InstallPath /t REG_SZ \
  /d "Z:$(pwd | tr / '\\')\\build\\x86_64\\bin" /f >/dev/null 2>&1

preset() {
  local name value
  while read -r name value; do
    "$wine_bin" reg add "$key" /v "$name" /t REG_DWORD /d "$value" /f >/dev/null 2>&1
  done <<'VALUES'
Monitor.left 20
Monitor.top 40
Monitor.right 205
Monitor.bottom 581
DetailFrame.left 240
DetailFrame.top 40
DetailFrame.right 840
DetailFrame.bottom 520
DetailFrame.maximized 0
AlertSensitivity 0
VALUES
}

if [ "${1:-}" != "--headless" ]; then
  "$wine_bin" reg query "$key" /v Monitor.left >/dev/null 2>&1 || preset
  "$wine_bin" "$bin/Quorvane.exe"
  exit $?
fi

preset
shots=build/screenshots
state=build/run-state
rm -rf "$state" && mkdir -p "$shots" "$state"
python3 -c 'import json, sys; d = json.load(open(sys.argv[1])); d.pop("timeline", None); json.dump(d, open(sys.argv[2], "w"))' \
  driver/scenarios/demo.json "$state/demo.json"
click() {  # a press long enough for Wine to see both halves
  xdotool mousemove "$1" "$2"; sleep 0.3; xdotool mousedown 1; sleep 0.2; xdotool mouseup 1; sleep "$3"
}
LOCALAPPDATA="Z:$(pwd | tr / '\\')\\build\\run-state" LINSETT_SCENARIO="$state/demo.json" \
  "$wine_bin" "$bin/Quorvane.exe" &
program=$!
sleep "${QUORVANE_RUN_SECONDS:-6}"
if kill -0 "$program" 2>/dev/null; then
  import -window root -crop 200x560+12+32 "$shots/run-1-monitor.png"
  click 100 512 2    # the modem's tile, the one with the red mark: the system view opens on it
  import -window root -crop 620x500+230+30 "$shots/run-2-system-view.png"
  click 750 86 2     # its "Set Options"
  import -window root "$shots/run-3-device-options.png"
  echo "run: screenshots in $shots/run-1-monitor.png, run-2-system-view.png, run-3-device-options.png"
  tools/wine-prefix.sh stop
  wait "$program" 2>/dev/null || true
  echo "run: the program ran headless and was ended"
else
  wait "$program" && rc=0 || rc=$?
  echo "run: the program ended by itself with exit code $rc"
fi
tools/wine-prefix.sh stop
