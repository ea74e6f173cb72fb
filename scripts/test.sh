#!/usr/bin/env bash
# Sets up, builds and runs every test; ends with CTest's summary.
#   1. the whole project built with AddressSanitizer and UndefinedBehaviorSanitizer
#      (build-asan/), every test run there: any sanitizer report fails the run;
#   2. the computation library alone, without Qt (build-calculo/): the library, its
#      tests and the computation benchmarks must build and pass with Qt absent;
#   3. the normal build (build/): every test, plus the quality gates (clang-tidy over
#      the computation library and a short fuzzing pass of every file reader).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCARTAVECTOR_SANITIZE=ON -DCARTAVECTOR_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && ctest --output-on-failure -j"$jobs")

cmake -S . -B build-calculo --no-warn-unused-cli -DCARTAVECTOR_GUI=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=TRUE \
    -DCARTAVECTOR_BENCH=ON >/dev/null
cmake --build build-calculo -j"$jobs"
(cd build-calculo && ctest --output-on-failure -j"$jobs" -LE gate)

./scripts/build.sh
cd build
ctest --output-on-failure -j"$jobs"
