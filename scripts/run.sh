#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
. "$raiz/scripts/paquetes.sh"

instalar_paquetes "${PAQUETES_COMPILAR[@]}"

cmake -S "$raiz" -B "$raiz/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DBRINDLEWICK_TESTS=OFF -DBRINDLEWICK_BENCH=OFF
cmake --build "$raiz/build-release" --parallel --target brindlewick
exec "$raiz/build-release/src/brindlewick" "$@"
