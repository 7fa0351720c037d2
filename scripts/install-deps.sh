#!/usr/bin/env bash
# Installs the Debian packages Drakmoor needs to build, run and test.
# Safe to run again: it only asks apt for what is missing.
set -euo pipefail

packages=(
  g++ cmake make pkg-config python3
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libsdl2-mixer-dev
  googletest libgtest-dev libbenchmark-dev
  librsvg2-bin libvorbis-dev libogg-dev espeak-ng sox
  fonts-junicode
  xvfb xdotool imagemagick x11-utils openbox
  clang libfuzzer-14-dev libclang-rt-14-dev
  # the install test's validators, and dpkg-shlibdeps for the Debian package
  desktop-file-utils appstream dpkg-dev file lintian
)

missing=()
for pkg in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
