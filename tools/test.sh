#!/usr/bin/env bash
# make test: install if needed, build both architectures, run every test of the x86_64
# build under Wine (on Xvfb when there is no display). CTest's summary comes last.
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh
mkdir -p build
tools/build.sh x86_64 i686
rm -rf build/screenshots
run_ctest=(ctest --preset x86_64 -j2)
if [ -n "${DISPLAY:-}" ]; then
  exec "${run_ctest[@]}"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "${run_ctest[@]}"
