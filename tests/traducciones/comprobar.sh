#!/usr/bin/env bash
# Every text the program shows is in each translation, and every entry there is finished:
# the code read afresh must leave each .ts file as it is.
#   comprobar.sh SOURCE_DIR LUPDATE
set -u
raiz=$1
lupdate=$2
tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT
estado=0
for ts in "$raiz"/data/traducciones/*.ts; do
    cp "$ts" "$tmp/" || exit 1
    copia=$tmp/$(basename "$ts")
    "$lupdate" -silent -source-language es -no-obsolete -locations none "$raiz/src" -ts "$copia" || exit 1
    if ! diff -u "$ts" "$copia"; then
        echo "FAIL: texts of the code are missing from $ts or gone from the code;"
        echo "      run 'cmake --build build -t update_translations' and translate what it adds"
        estado=1
    fi
    if grep -nE 'type="(unfinished|vanished|obsolete)"|<translation></translation>' "$ts"; then
        echo "FAIL: entries unfinished in $ts"
        estado=1
    fi
    echo "$(basename "$ts"): $(grep -c '<message' "$ts") entries"
done
exit $estado
