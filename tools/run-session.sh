#!/usr/bin/env bash
# Starts Quorvane on $DISPLAY as an installed copy would run: the settings key exists
# and names the folder of the program. --headless: screenshots after a few seconds, then end.
set -eu
cd "$(dirname "$0")/.."
. tools/wine-env.sh
bin=build/x86_64/bin
tools/wine-prefix.sh start
"$wine_bin" reg add 'HKLM\Software\Tarvex\Quorvane' /v InstallPath /t REG_SZ \
  /d "Z:$(pwd | tr / '\\')\\build\\x86_64\\bin" /f >/dev/null 2>&1

if [ "${1:-}" != "--headless" ]; then
  "$wine_bin" "$bin/Quorvane.exe"
  exit $?
fi

mkdir -p build/screenshots
"$wine_bin" "$bin/Quorvane.exe" &
program=$!
sleep "${QUORVANE_RUN_SECONDS:-6}"
import -window root build/screenshots/run-desktop.png
echo "run: screenshot of the screen in build/screenshots/run-desktop.png"
if kill -0 "$program" 2>/dev/null; then
  tools/wine-prefix.sh stop
  wait "$program" 2>/dev/null || true
  echo "run: the program ran headless for ${QUORVANE_RUN_SECONDS:-6} s and was ended"
else
  wait "$program" && rc=0 || rc=$?
  echo "run: the program ended by itself with exit code $rc"
fi
tools/wine-prefix.sh stop
