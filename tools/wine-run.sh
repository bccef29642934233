#!/usr/bin/env bash
# Runs one Windows program in the private prefix; CTest uses it as the cross-compiling emulator.
# With QUORVANE_ERROR_LOG set, the error stream is copied there too: programs a test starts
# write into the same stream, Wine's traces among it, and the test can read them back.
. "$(dirname "$0")/wine-env.sh"
if [ -n "${QUORVANE_ERROR_LOG:-}" ]; then
  : >"$QUORVANE_ERROR_LOG"
  exec "$wine_bin" "$@" 2> >(tee -a "$QUORVANE_ERROR_LOG" >&2)
fi
exec "$wine_bin" "$@"
