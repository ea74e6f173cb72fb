#!/usr/bin/env bash
# Sets up, builds and starts the program from its run folder.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
exec ./build/run/cartavector
