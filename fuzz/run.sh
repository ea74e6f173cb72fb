#!/usr/bin/env bash
# Builds the fuzz targets of the file readers with clang and runs each one for
# the given number of seconds, starting from the seed files of fuzz/corpus.
#   fuzz/run.sh <seconds> [build folder]      (default folder: fuzz-build beside fuzz/)
# Exits non-zero when a target finds a crash, a leak, a timeout or runs out of
# memory; the input that caused it is kept as <build folder>/hallazgos/<target>-*.
set -euo pipefail
segundos=${1:?uso: fuzz/run.sh <segundos> [carpeta de compilación]}
fuente="$(cd "$(dirname "$0")" && pwd)"
carpeta=${2:-$(dirname "$fuente")/fuzz-build}

cmake -S "$fuente" -B "$carpeta" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$carpeta" -j1 >/dev/null

mkdir -p "$carpeta/hallazgos"
fallos=0
for lector in $(sed -n 's/^foreach(lector \(.*\))$/\1/p' "$fuente/CMakeLists.txt"); do
    # The growing corpus lives in the build folder; the seeds stay as they are.
    corpus="$carpeta/corpus/$lector"
    mkdir -p "$corpus"
    echo "== fuzz_$lector ($segundos s)"
    if ! "$carpeta/fuzz_$lector" "$corpus" "$fuente/corpus/$lector" \
        -max_total_time="$segundos" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
        -artifact_prefix="$carpeta/hallazgos/fuzz_$lector-" -print_final_stats=1 \
        >"$carpeta/fuzz_$lector.log" 2>&1; then
        echo "fuzz_$lector: fallo (ver $carpeta/fuzz_$lector.log y $carpeta/hallazgos/)"
        tail -n 30 "$carpeta/fuzz_$lector.log"
        fallos=1
    else
        grep -E "stat::number_of_executed_units|Done [0-9]+ runs" "$carpeta/fuzz_$lector.log" | tail -n 1 || true
    fi
done
exit "$fallos"
