#!/usr/bin/env bash
# Installs every Debian package needed to build, run and test Orvo.
# Idempotent: does nothing (quietly) when everything is already there.
set -euo pipefail

PAQUETES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev libgl-dev qt6-translations-l10n
  libgtest-dev
  socat xvfb xauth xdotool imagemagick x11-apps fonts-liberation
  python3
  desktop-file-utils appstream dpkg-dev file groff-base man-db
  clang-14 libclang-rt-14-dev clang-format-14
)

faltan=()
for p in "${PAQUETES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
[ ${#faltan[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Instalando: ${faltan[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${faltan[@]}" >/dev/null
