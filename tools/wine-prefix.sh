#!/usr/bin/env bash
# start: creates the private prefix on first use and keeps one wineserver alive,
#        so that each test binary does not pay for a cold start.
# stop:  ends that wineserver and every Wine process in the prefix.
set -eu
. "$(dirname "$0")/wine-env.sh"

case "${1:-start}" in
  start)
    # A server started away from the display the programs use gives them no windows.
    [ -n "${DISPLAY:-}" ] || echo "wine-prefix: no DISPLAY; programs started later under a display may get no windows" >&2
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      mkdir -p "$WINEPREFIX"
      "$wine_bin" wineboot -i >/dev/null 2>&1 || true
      "$wineserver_bin" -w
      # Without a window manager Wine waits about 2 s whenever a captioned window closes.
      "$wine_bin" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
      # A crash fails its test at once instead of waiting in Wine's debugger for the timeout.
      "$wine_bin" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1
      "$wine_bin" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ /d 0 /f >/dev/null 2>&1
      # Without this the debugger's crash dialog waits for a click that never comes.
      "$wine_bin" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
      "$wineserver_bin" -w
      [ -f "$WINEPREFIX/system.reg" ] || { echo "wine-prefix: could not create the Wine prefix in $WINEPREFIX" >&2; exit 1; }
    fi
    # -p keeps the server running with no client until it is killed.
    "$wineserver_bin" -p </dev/null >/dev/null 2>&1 || true  # fails when one is already running
    # Tests that try a display scale set one for their own run; one cut short leaves it behind.
    "$wine_bin" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f </dev/null >/dev/null 2>&1 || true
    # The first program starts Wine's services, which inherit its output streams and
    # would keep CTest waiting on them: start them here with the streams closed.
    "$wine_bin" cmd /c exit </dev/null >/dev/null 2>&1
    ;;
  stop)
    "$wineserver_bin" -k 2>/dev/null || true
    ;;
  *)
    echo "usage: wine-prefix.sh start|stop" >&2; exit 2 ;;
esac
