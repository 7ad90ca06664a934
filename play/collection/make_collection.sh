#!/usr/bin/env bash
# Makes the bundled puzzle collection again with ngm-cli generate: twelve themes of five
# puzzles, difficulties 1 to 5, the size growing with the difficulty.  The seeds are fixed, so
# the same program makes the same files.  Usage: make_collection.sh PATH/TO/ngm-cli
set -euo pipefail
cli=$1
cd "$(dirname "$0")"
rm -f ./*.non
sizes=("5 10 10 15" "10 15 15 20" "15 20 20 25" "20 25 25 30" "20 25 30 30")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for i in $(seq 0 59); do
    d=$((i % 5 + 1))
    theme=$((i / 5))
    read -r -a row <<<"${sizes[$((d - 1))]}"
    n=${row[$((theme % 4))]}
    "$cli" generate --size "${n}x${n}" --difficulty "$d" --seed "$((i + 1))" --out "$tmp" >/dev/null
    mv "$tmp"/*.non "$(printf '%02d' $((i + 1))).non"
done
