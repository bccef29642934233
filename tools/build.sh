#!/usr/bin/env bash
# Configures (once) and builds the given architectures: x86_64 and i686 by default.
set -eu
cd "$(dirname "$0")/.."
presets=("$@")
[ ${#presets[@]} -eq 0 ] && presets=(x86_64 i686)
for preset in "${presets[@]}"; do
  if [ ! -f "build/$preset/build.ninja" ]; then
    mkdir -p build
    cmake --preset "$preset" >"build/configure-$preset.log" 2>&1 || {
      cat "build/configure-$preset.log" >&2
      echo "build: configuring $preset failed" >&2; exit 1; }
  fi
  echo "build: $preset"
  if ! cmake --build --preset "$preset" >"build/build-$preset.log" 2>&1; then
    grep -E 'error|Error|FAILED' -A3 "build/build-$preset.log" | head -80 >&2
    echo "build: $preset failed (full log: build/build-$preset.log)" >&2; exit 1
  fi
done
