#!/usr/bin/env bash
# Copies the Twemoji artwork that the word table names into assets/pictures/twemoji/,
# from the npm package @twemoji/svg (graphics CC-BY 4.0). Needed only when rows
# with new artwork are added to assets/pictures/words.tsv; the copied SVGs are
# committed, so rendering the pictures does not need npm.
set -euo pipefail
cd "$(dirname "$0")/../.."
VERSION=15.0.0
table=assets/pictures/words.tsv
target=assets/pictures/twemoji
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

(cd "$tmp" && npm pack --silent "@twemoji/svg@$VERSION" >/dev/null && tar xzf ./*.tgz)
rm -rf "$target"
mkdir -p "$target"
column=$(grep -v "^#" "$table" | head -1 | tr '\t' '\n' | grep -n '^artwork$' | cut -d: -f1)
grep -v '^#' "$table" | tail -n +2 | cut -f"$column" | sort -u | while read -r artwork; do
    [[ -n $artwork ]] || continue
    cp "$tmp/package/$artwork.svg" "$target/$artwork.svg"
done
echo "$(ls "$target" | wc -l) SVG files in $target"
