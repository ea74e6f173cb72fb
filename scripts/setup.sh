#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Cartavector.
set -euo pipefail

PAQUETES=(build-essential cmake qt6-base-dev qt6-svg-dev libgl1-mesa-dev libeigen3-dev libdxflib-dev libproj-dev libcgal-dev proj-data pkg-config python3-ezdxf libgtest-dev libgmock-dev libbenchmark-dev
          clang clang-tidy libclang-rt-14-dev fonts-dejavu-core
          lintian appstream desktop-file-utils dpkg-dev)

faltan=()
for p in "${PAQUETES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
  echo "Installing: ${faltan[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${faltan[@]}"
fi
