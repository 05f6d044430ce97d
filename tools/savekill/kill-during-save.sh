#!/usr/bin/env bash
# Kills a program that keeps saving one file (kill -9, at random moments) and
# checks each time that the file is the old content or the new one, whole;
# then that the start-up clean-up removes every temporary file left behind.
#   kill-during-save.sh PATH/TO/ortolino_save_loop [KILLS]   (default 200)
set -euo pipefail
loop=$1
kills=${2:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$loop" --write "$work/a" "$work/b"
target="$work/_predefinito.INI"
cp "$work/a" "$target"
for ((i = 1; i <= kills; i++)); do
    "$loop" "$target" &
    pid=$!
    sleep "0.0$((RANDOM % 40 + 1))"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if ! cmp -s "$target" "$work/a" && ! cmp -s "$target" "$work/b"; then
        echo "kill $i: the file is neither the old nor the new content ($(stat -c %s "$target") bytes)" >&2
        exit 1
    fi
done
left=$(find "$work" -name '_predefinito.INI.??????' | wc -l)
removed=$("$loop" --clean "$work")
if [[ $(find "$work" -name '_predefinito.INI.??????' | wc -l) -ne 0 || $removed -ne $left ]]; then
    echo "temporary files left after the clean-up" >&2
    exit 1
fi
echo "$kills kills: the file was always whole; $left temporary files left by kills, all removed"
