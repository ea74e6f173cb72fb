#!/usr/bin/env bash
# Builds the program and makes its packages: a .tar.gz and a .deb in build/.
# (setup.sh installs dpkg-dev, which the .deb's dependency list needs; the test
# paquete_debian checks the .deb with lintian, desktop-file-validate and appstreamcli.)
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
cd build
cpack
