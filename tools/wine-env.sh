# Sourced by the scripts that start Wine: one private 64-bit prefix in the build tree,
# quiet, and a predictable ANSI code page (1252).
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${QUORVANE_WINEPREFIX:-$repo_root/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko installer prompts; nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8
wine_bin=/usr/lib/wine/wine64
wineserver_bin=/usr/lib/wine/wineserver64
[ -x "$wineserver_bin" ] || wineserver_bin=$(command -v wineserver)
