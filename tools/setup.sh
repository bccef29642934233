#!/usr/bin/env bash
# Installs the cross toolchain, Wine and the test display when they are missing.
# A second run finds everything present and returns within a second or two.
set -u

packages=(cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          wine wine64 xvfb xauth fonts-liberation googletest imagemagick
          fp-utils nsis xdotool nlohmann-json3-dev)

# Each package is proved by a file it ships, so a half-finished install is noticed.
declare -A proof=(
  [cmake]=/usr/bin/cmake
  [ninja-build]=/usr/bin/ninja
  [g++-mingw-w64-x86-64-posix]=/usr/bin/x86_64-w64-mingw32-g++-posix
  [g++-mingw-w64-i686-posix]=/usr/bin/i686-w64-mingw32-g++-posix
  [wine]=/usr/bin/wine
  [wine64]=/usr/lib/wine/wine64
  [xvfb]=/usr/bin/Xvfb
  [xauth]=/usr/bin/xauth
  [fonts-liberation]=/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf
  [googletest]=/usr/src/googletest/CMakeLists.txt
  [imagemagick]=/usr/bin/convert-im6.q16
  [fp-utils]=/usr/bin/chmcmd
  [nsis]=/usr/bin/makensis
  [xdotool]=/usr/bin/xdotool
  [nlohmann-json3-dev]=/usr/include/nlohmann/json.hpp
)

missing() {
  local p out=()
  for p in "${packages[@]}"; do [ -e "${proof[$p]}" ] || out+=("$p"); done
  echo "${out[@]}"
}

need=$(missing)
[ -z "$need" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: these packages are missing and installing them needs root: $need" >&2
  exit 1
fi

echo "setup: installing $need"
export DEBIAN_FRONTEND=noninteractive
# An unrelated index may fail to download; what matters is whether our packages install.
apt-get update -qq >/dev/null 2>&1 || true
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends $need >/tmp/quorvane-setup.log 2>&1 || true

left=$(missing)
if [ -n "$left" ]; then
  echo "setup: could not install $left (no network to the package archive, or the package is unknown; see /tmp/quorvane-setup.log)" >&2
  exit 1
fi
echo "setup: done"
