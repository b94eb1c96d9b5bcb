#!/usr/bin/env bash
# Runs one fuzz target from a copy of its seeds, so that the kept seeds never change.
# Usage: correr.sh fuzzer semillas segundos
set -euo pipefail
fuzzer=$1 semillas=$2 segundos=$3
trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT
mkdir "$trabajo/corpus"
cp "$semillas"/* "$trabajo/corpus/"
cd "$trabajo"
"$fuzzer" -max_total_time="$segundos" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    corpus 2>&1 | tail -n 25
