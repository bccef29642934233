#!/usr/bin/env bash
# Runs one Windows program in the private prefix; CTest uses it as the cross-compiling emulator.
. "$(dirname "$0")/wine-env.sh"
exec "$wine_bin" "$@"
