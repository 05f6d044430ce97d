#!/usr/bin/env bash
# Makes the two feedback sounds of Ortolino with sox:
#   data/suoni/si.wav  a finished word: two plucked notes going up (E5, A5), soft-edged and short
#   data/suoni/no.wav  a wrong letter: two soft low notes going down (G4, E4), quieter
# Both are mono 22050 Hz 16-bit PCM, well under one second, fading in and out so
# that nothing clicks or startles. -R keeps the output the same on every run.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=data/suoni
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"

SOX=(sox -R -V1)
FORMAT=(-r 22050 -c 1 -b 16 -e signed-integer)

# note NAME LENGTH SYNTH... : one note with a gentle attack and release
note() {
    local name=$1 length=$2
    shift 2
    "${SOX[@]}" -n "${FORMAT[@]}" "$tmp/$name.wav" synth "$length" "$@" fade q 0.015 "$length" 0.12
}

note si1 0.16 pluck E5
note si2 0.42 pluck A5
"${SOX[@]}" "$tmp/si1.wav" "$tmp/si2.wav" "$out/si.wav" highpass 60 lowpass 3000 gain -n -3

note no1 0.2 sine G4
note no2 0.34 sine E4
"${SOX[@]}" "$tmp/no1.wav" "$tmp/no2.wav" "$out/no.wav" gain -n -9

for f in "$out/si.wav" "$out/no.wav"; do
    echo "$f: $(soxi -D "$f") s"
done
