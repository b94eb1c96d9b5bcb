#!/usr/bin/env bash
# Installs what is missing, builds the program with its tests and runs the whole suite.
#   scripts/test.sh              debug build in build/
#   scripts/test.sh --werror     warnings are errors
#   scripts/test.sh --sanitize   AddressSanitizer and UndefinedBehaviorSanitizer, in build-asan/
#   scripts/test.sh --fuzz       the libFuzzer targets, built by clang in build-fuzz/, 60 s each
#   scripts/test.sh --package    the Debian package, built in Release in build-paquete/, and its
#                                checks: contents, menu entry, metainfo, a start, lintian
#   scripts/test.sh --fallos [NAME...]
#                                every seeded fault of tests/fallos (or those whose file names
#                                contain a NAME), one at a time, in a copy of the tree built in
#                                build-fallos/: each must make a test fail
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
. "$raiz/scripts/paquetes.sh"

carpeta=build
tipo=Debug
opciones=()
PAQUETES_COMPILAR+=("${PAQUETES_PRUEBAS[@]}")
if [ "${1:-}" = --fallos ]; then
    shift
    instalar_paquetes "${PAQUETES_COMPILAR[@]}" python3
    exec python3 "$raiz/tests/fallos/sembrar.py" "$@"
fi
for a in "$@"; do
    case "$a" in
        --werror) opciones+=(-DBRINDLEWICK_WERROR=ON) ;;
        --sanitize) carpeta=build-asan; opciones+=(-DBRINDLEWICK_SANITIZE=ON) ;;
        --fuzz)
            carpeta=build-fuzz
            tipo=RelWithDebInfo
            opciones+=(-DCMAKE_CXX_COMPILER=clang++ -DBRINDLEWICK_FUZZ=ON -DBRINDLEWICK_BENCH=OFF)
            PAQUETES_COMPILAR+=(clang libclang-rt-14-dev) ;;
        --package)
            carpeta=build-paquete
            tipo=Release
            opciones+=(-DBRINDLEWICK_PAQUETE=ON -DBRINDLEWICK_TESTS=OFF -DBRINDLEWICK_BENCH=OFF)
            PAQUETES_COMPILAR+=("${PAQUETES_EMPAQUETAR[@]}") ;;
        *) echo "unknown option: $a" >&2; exit 2 ;;
    esac
done

instalar_paquetes "${PAQUETES_COMPILAR[@]}"

cmake -S "$raiz" -B "$raiz/$carpeta" -G Ninja -DCMAKE_BUILD_TYPE="$tipo" "${opciones[@]}"
cmake --build "$raiz/$carpeta" --parallel
cd "$raiz/$carpeta"
ctest --output-on-failure --parallel "$(nproc)"
