#!/usr/bin/env bash
# Installs what is missing, builds the program with its tests and runs the whole suite.
#   scripts/test.sh              debug build in build/
#   scripts/test.sh --werror     warnings are errors
#   scripts/test.sh --sanitize   AddressSanitizer and UndefinedBehaviorSanitizer, in build-asan/
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
. "$raiz/scripts/paquetes.sh"

carpeta=build
opciones=(-DCMAKE_BUILD_TYPE=Debug)
for a in "$@"; do
    case "$a" in
        --werror) opciones+=(-DBRINDLEWICK_WERROR=ON) ;;
        --sanitize) carpeta=build-asan; opciones+=(-DBRINDLEWICK_SANITIZE=ON) ;;
        *) echo "unknown option: $a" >&2; exit 2 ;;
    esac
done

instalar_paquetes "${PAQUETES_COMPILAR[@]}"

cmake -S "$raiz" -B "$raiz/$carpeta" -G Ninja "${opciones[@]}"
cmake --build "$raiz/$carpeta" --parallel
cd "$raiz/$carpeta"
ctest --output-on-failure --parallel "$(nproc)"
