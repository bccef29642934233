#!/usr/bin/env bash
# make run: install if needed, build the 64-bit program and start it in a private Wine
# prefix of its own on the current display (its demo settings never meet the tests').
# With no display it runs on Xvfb for a short while and leaves screenshots in
# build/screenshots/.
set -eu
cd "$(dirname "$0")/.."
export QUORVANE_WINEPREFIX="$PWD/build/run-prefix"
tools/setup.sh
tools/build.sh x86_64
if [ -z "${DISPLAY:-}" ]; then
  # Wine keeps a desktop tied to the display it last saw; start clean on the new one.
  tools/wine-prefix.sh stop
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" tools/run-session.sh --headless
fi
exec tools/run-session.sh
