#!/usr/bin/env bash
# Builds what is needed and draws every window over sample files into PNGs, on a virtual
# display with real fonts, so a person can look at them.
#   scripts/screenshots.sh [FOLDER]    default: build/capturas
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
. "$raiz/scripts/paquetes.sh"

instalar_paquetes "${PAQUETES_COMPILAR[@]}" xvfb xauth

destino=${1:-"$raiz/build/capturas"}
[ -f "$raiz/build/build.ninja" ] || cmake -S "$raiz" -B "$raiz/build" -G Ninja
cmake --build "$raiz/build" --target brindlewick_capturas
xvfb-run -a "$raiz/build/tools/brindlewick_capturas" "$destino"
