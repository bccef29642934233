#!/usr/bin/env bash
# The program under a storm of changes: the demo hardware with its lights on, and a
# timeline that plugs the phone in, raises the printer's severity, unplugs the phone and
# clears the severity every 40 ms (100 topology changes a second), for 100 s by default.
# Every 10 s it prints how many changes the program has taken, how long it took to answer
# (the library answers from the program's own message loop) and its resident memory.
#   bench/soak.sh [seconds]    (needs a display; run it under xvfb-run -a)
set -eu
cd "$(dirname "$0")/.."
. tools/wine-env.sh
seconds=${1:-100}
bin=build/x86_64/bin
storm=build/soak-storm.json
python3 -c 'import json, sys
scenario = json.load(open(sys.argv[1]))
scenario["timeline"] = {"loop_ms": 40, "events": [
    {"at": 0, "do": "plug phone"}, {"at": 10, "do": "severity printer 3 Paper jam"},
    {"at": 20, "do": "unplug phone"}, {"at": 30, "do": "severity printer 0"}]}
json.dump(scenario, open(sys.argv[2], "w"), indent=1)' driver/scenarios/demo.json "$storm"

tools/wine-prefix.sh start
"$wine_bin" reg add 'HKLM\Software\Tarvex\Quorvane' /v ShowTransmissionLight /t REG_DWORD /d 1 /f >/dev/null 2>&1
LINSETT_SCENARIO="Z:$(realpath "$storm" | tr / '\\')" "$wine_bin" "$bin/Quorvane.exe" &
pid=$!  # Wine's loader becomes the program in place: the same process
sleep 5
printf '%8s %12s %12s %12s\n' seconds changes "answer ms" "memory KiB"
for ((t = 0; t <= seconds; t += 10)); do
  start=$(date +%s%N)
  answer=$("$wine_bin" "$bin/linsettctl.exe" --timeout 10000 generations 2>/dev/null || echo "no answer")
  took=$((($(date +%s%N) - start) / 1000000))
  printf '%8d %12s %12d %12s\n' "$t" "${answer#ok }" "$took" "$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")"
  [ "$t" -lt "$seconds" ] && sleep 10
done
tools/wine-prefix.sh stop
