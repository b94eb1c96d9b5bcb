#!/usr/bin/env bash
# Builds in Release and measures a rename of N files, each case paired with the floor (a bare
# loop of renameat2 + one write(2) per file) measured in the same round, on the normal disk and
# on tmpfs. Prints medians, min and max over the rounds, and each case's ratio to the floor.
#   bench/run.sh [ROUNDS]     (default 5)
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
. "$raiz/scripts/paquetes.sh"
rondas=${1:-5}

instalar_paquetes "${PAQUETES_COMPILAR[@]}"
cmake -S "$raiz" -B "$raiz/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DBRINDLEWICK_TESTS=OFF >/dev/null
cmake --build "$raiz/build-bench" --target brindlewick_bench >/dev/null
bench="$raiz/build-bench/bench/brindlewick_bench"

export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
export XDG_RUNTIME_DIR=$(mktemp -d) HOME=$(mktemp -d)  # no trace in the user's own folders
disco=$(mktemp -d /var/tmp/brindlewick-bench.XXXXXX)
ram=$(mktemp -d /dev/shm/brindlewick-bench.XXXXXX)
resultados=$(mktemp)
trap 'rm -rf "$disco" "$ram" "$resultados" "$XDG_RUNTIME_DIR" "$HOME"' EXIT

# Runs one case on N fresh files and appends "place N case value" lines.
medir() {
    local lugar=$1 carpeta=$2 n=$3 caso=$4
    rm -rf "$carpeta" "$carpeta.log"
    "$bench" crear "$carpeta" "$n"
    sync
    "$bench" "$caso" "$carpeta" | while read -r nombre valor; do
        echo "$lugar $n $nombre $valor" >> "$resultados"
    done
}

for ronda in $(seq "$rondas"); do
    for lugar in disco tmpfs; do
        base=$disco; [ "$lugar" = tmpfs ] && base=$ram
        for n in 1000 32767; do
            for caso in suelo motor ventana seleccion vista; do
                medir "$lugar" "$base/f" "$n" "$caso"
            done
            [ "$n" = 1000 ] && medir "$lugar" "$base/h" "$n" historial  # 1000 entries
        done
    done
    # Planning touches no disk: its place is the processor alone.
    "$bench" plan - | while read -r nombre valor; do echo "cpu 32767 $nombre $valor" >> "$resultados"; done
    echo "round $ronda of $rondas done" >&2
done

# Medians, min and max per place, size and case, in a fixed order; ratios against the floor
# of the same place and size.
echo "| Place | Files | Case | Median | Min | Max | Ratio to the floor |"
echo "|---|---:|---|---:|---:|---:|---:|"
sort -k1,1 -k2,2n -k3,3 -k4,4g "$resultados" | awk '
    function cerrar() {
        if (!n) return
        mediana[clave] = (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
        minimo[clave] = v[1]; maximo[clave] = v[n]
    }
    { k = $1 " " $2 " " $3; if (k != clave) { cerrar(); clave = k; n = 0 } v[++n] = $4 }
    END {
        cerrar()
        split("disco tmpfs cpu", lugares); split("1000 32767", tamanos)
        split("suelo motor ventana deshacer memoria seleccion refiltro vista historial plan-cadena plan-cambios", casos)
        for (l = 1; l <= 3; l++) for (t = 1; t <= 2; t++) for (c = 1; c <= 11; c++) {
            k = lugares[l] " " tamanos[t] " " casos[c]
            if (!(k in mediana)) continue
            suelo = mediana[lugares[l] " " tamanos[t] " suelo"]
            if (casos[c] == "memoria") {
                printf "| %s | %s | peak memory | %.0f MiB | %.0f | %.0f | |\n", lugares[l], tamanos[t], mediana[k] / 1024, minimo[k] / 1024, maximo[k] / 1024
                continue
            }
            r = (casos[c] ~ /^(motor|ventana|deshacer)$/) ? sprintf("%.2fx", mediana[k] / suelo) : ""
            printf "| %s | %s | %s | %.4f s | %.4f | %.4f | %s |\n", lugares[l], tamanos[t], casos[c], mediana[k], minimo[k], maximo[k], r
        }
    }'
