#!/usr/bin/env bash
# Lines of tests against lines of the program (.cpp and .h files); fails when
# the tests are more than the given share of the program (default 35 %).
#   scripts/proporcion_pruebas.sh [maximum percent]
set -euo pipefail
maximo=${1:-35}
cd "$(dirname "$0")/.."

lineas() {
    find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 -r cat | wc -l
}
# Every folder of the program: all but the tests, benchmarks, fuzz targets and builds.
carpetas=()
for c in */; do
    case "$c" in tests/|bench/|fuzz/|build*/) ;; *) carpetas+=("${c%/}") ;; esac
done
producto=$(lineas "${carpetas[@]}")
pruebas=$(lineas tests)
if [ "$producto" -eq 0 ]; then
    echo "No hay líneas de producto" >&2
    exit 1
fi
echo "Pruebas: $pruebas líneas, producto: $producto líneas, proporción $((pruebas * 100 / producto)) %"
if [ $((pruebas * 100)) -gt $((maximo * producto)) ]; then
    echo "Las pruebas pasan del $maximo % del producto" >&2
    exit 1
fi
