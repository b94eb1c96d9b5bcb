#!/usr/bin/env bash
# Every text the program shows is in the English translation, and every English entry is
# finished: the code read afresh must leave the .ts file as it is.
#   comprobar.sh SOURCE_DIR LUPDATE
set -u
raiz=$1
lupdate=$2
ts=$raiz/data/traducciones/brindlewick_en.ts
tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT
cp "$ts" "$tmp/" || exit 1
"$lupdate" -silent -source-language es -no-obsolete -locations none "$raiz/src" -ts "$tmp/brindlewick_en.ts" || exit 1
if ! diff -u "$ts" "$tmp/brindlewick_en.ts"; then
    echo "FAIL: texts of the code are missing from $ts or gone from the code;"
    echo "      run 'cmake --build build -t update_translations' and translate what it adds"
    exit 1
fi
if grep -nE 'type="(unfinished|vanished|obsolete)"|<translation></translation>' "$ts"; then
    echo "FAIL: English entries unfinished in $ts"
    exit 1
fi
echo "every text translated: $(grep -c '<message' "$ts") entries"
