#!/usr/bin/env bash
# CPU time of Quorvane idling with its transmission lights on, against an empty program
# running a timer at the same period (100 ms), both run together under the same Wine.
# Wine reports no CPU time for other processes, so it is read from /proc: the nanoseconds
# on a CPU of every thread (schedstat), since clock ticks are too coarse for idle programs.
#
# Three rounds: the demo hardware with nothing happening but bus activity (its timeline of
# plug and severity events removed: that is idle), at the monitor's first height and then
# expanded to show every tile; then the demo scenario as it ships, whose events every few
# seconds rebuild the view and raise a flashing alert. A last round puts the timer program
# itself on the screen, changing a 13-pixel square each tick as a light does: what merely
# presenting something on every tick costs under this Wine and X server.
#   bench/idle-cpu.sh [seconds]    (needs a display; run it under xvfb-run -a)
set -eu
cd "$(dirname "$0")/.."
. tools/wine-env.sh
seconds=${1:-60}
bin=build/x86_64/bin
still=build/idle-demo-still.json
python3 -c 'import json, sys
scenario = json.load(open(sys.argv[1])); scenario.pop("timeline", None)
json.dump(scenario, open(sys.argv[2], "w"), indent=1)' driver/scenarios/demo.json "$still"

cputime() { cat /proc/"$1"/task/*/schedstat | awk '{ns += $1} END {printf "%d\n", ns}'; }

user='HKCU\Software\Tarvex\Quorvane'
round() {  # name, scenario path as Wine sees it, monitor height (0: as it opens)
  tools/wine-prefix.sh start
  "$wine_bin" reg delete "$user" /f >/dev/null 2>&1 || true
  "$wine_bin" reg add "$user" /v ShowTransmissionLight /t REG_DWORD /d 1 /f >/dev/null 2>&1
  if [ "$3" -gt 0 ]; then
    for v in "Monitor.left 20" "Monitor.top 20" "Monitor.right 205" "Monitor.bottom $((20 + $3))"; do
      "$wine_bin" reg add "$user" /v ${v% *} /t REG_DWORD /d ${v#* } /f >/dev/null 2>&1
    done
  fi
  local q t q0 t0 q1 t1
  # Wine's loader becomes the program in place: the started process is the one to watch.
  if [ "$2" = show ]; then
    "$wine_bin" "$bin/timer_idle.exe" $((seconds + 30)) show &
  else
    LINSETT_SCENARIO="$2" "$wine_bin" "$bin/Quorvane.exe" &
  fi
  q=$!
  "$wine_bin" "$bin/timer_idle.exe" $((seconds + 30)) &
  t=$!
  sleep 5
  q0=$(cputime "$q"); t0=$(cputime "$t")
  sleep "$seconds"
  q1=$(cputime "$q"); t1=$(cputime "$t")
  # The tests share this prefix: leave them no placement or switch of the bench's.
  "$wine_bin" reg delete "$user" /f >/dev/null 2>&1 || true
  tools/wine-prefix.sh stop
  awk -v name="$1" -v q=$((q1 - q0)) -v t=$((t1 - t0)) -v s="$seconds" 'BEGIN {
    printf "%-34s over %d s: measured %.3f s, timer program %.3f s, ratio %.2f\n",
           name, s, q / 1e9, t / 1e9, (t > 0 ? q / t : 0) }'
}

# 17 rows: the computer and the demo's sixteen devices.
round "idle (demo hardware, no events)" "Z:$(realpath "$still" | tr / '\\')" 0
round "idle, monitor showing every tile" "Z:$(realpath "$still" | tr / '\\')" $((48 + 29 * 17))
round "demo scenario with its events" "" 0
round "timer program, a square each tick" show 0
