#!/usr/bin/env bash
# CPU time of Quorvane idling with the demo hardware and its lights on, against an empty
# program running a timer at the same period (100 ms), both run together under the same
# Wine. Wine reports no CPU time for other processes, so it is read from /proc.
#   bench/idle-cpu.sh [seconds]    (needs a display; run it under xvfb-run -a)
set -eu
cd "$(dirname "$0")/.."
. tools/wine-env.sh
seconds=${1:-60}
bin=build/x86_64/bin
tools/wine-prefix.sh start
"$wine_bin" reg add 'HKLM\Software\Tarvex\Quorvane' /v ShowTransmissionLight /t REG_DWORD /d 1 /f >/dev/null 2>&1
"$wine_bin" "$bin/Quorvane.exe" & 
"$wine_bin" "$bin/timer_idle.exe" $((seconds + 30)) &
sleep 5
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
q=$(pgrep -f 'Quorvane.exe' | head -1); t=$(pgrep -f 'timer_idle.exe' | head -1)
q0=$(ticks "$q"); t0=$(ticks "$t")
sleep "$seconds"
q1=$(ticks "$q"); t1=$(ticks "$t")
tools/wine-prefix.sh stop
hz=$(getconf CLK_TCK)
awk -v q=$((q1 - q0)) -v t=$((t1 - t0)) -v hz="$hz" -v s="$seconds" 'BEGIN {
  printf "idle CPU over %d s: Quorvane %.2f s, timer program %.2f s, ratio %.2f\n", s, q / hz, t / hz, (t > 0 ? q / t : 0) }'
