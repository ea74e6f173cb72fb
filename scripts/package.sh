#!/usr/bin/env bash
# Builds the program and makes its packages: a .tar.gz and a .deb in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
command -v dpkg-shlibdeps >/dev/null || { SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo; $SUDO apt-get install -y -qq dpkg-dev; }
./scripts/build.sh
cd build
cpack
