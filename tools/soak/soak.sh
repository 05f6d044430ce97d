#!/usr/bin/env bash
# Hours of automatic scanning in minutes: starts the real program on a virtual
# screen with a user in automatic scanning at its fastest pace (one step a
# second), opens "LETTERA INIZIALE" and presses the switch at uneven moments
# for the time given, so that wrong letters, every help, finished words and
# "avanti" come round again and again. Every 30 s it samples the program's
# resident memory, open files and threads; at the end it compares the last
# sample with the first after the warm-up: memory must stay within 5 %, files
# and threads must not grow.
#   xvfb-run -a -s "-screen 0 1280x800x24" tools/soak/soak.sh build/bin/ortolino [MINUTES]
set -euo pipefail
program=$1
minutes=${2:-30}
source "$(dirname "$0")/../virtual-screen.sh"
pid=
use_temporary_home
use_italian
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT
fail() {
    echo "soak: $*" >&2
    exit 1
}
profile=$XDG_CONFIG_HOME/ImpostazioniProgrammiLumo/Ortolino/utenti/_predefinito.INI

# A first start writes the default user's profile (leaving the configuration
# saves it); leave by "ESCI".
"$program" >/dev/null 2>&1 &
pid=$!
expect "Ortolino"
xdotool key Return # the cursive font's notice
sleep 1
expect "Ortolino"
xdotool key space # the splash
expect "Ortolino - Menu"
xdotool mousemove 52 8 click 1 # "Configurazioni"
expect "Ortolino - Configurazioni"
xdotool key alt+m
expect "Ortolino - Menu"
xdotool mousemove 1068 626 click 1 # "ESCI"
wait "$pid" || true
[[ -f $profile ]] || fail "no profile was written"
# Lines 45 and 46: the input mode (2: automatic scanning) and its pace in
# quarter seconds (4, the fastest).
sed -i -e '45s/.*/ 2 \r/' -e '46s/.*/ 4 \r/' "$profile"

"$program" >"$home/output.txt" 2>&1 &
pid=$!
expect "Ortolino"
xdotool key Return # the splash
expect "Ortolino - Menu"
# The scan starts on "LETTERA INIZIALE": the switch chooses it. Should the
# mark have moved on, the next round brings it back.
for ((tries = 0; tries < 8; tries++)); do
    xdotool key space
    sleep 3
    xdotool search --onlyvisible --name "^Ortolino - Esercizio\$" >/dev/null 2>&1 && break
    sleep "$((tries % 5)).$((RANDOM % 10))"
done
expect "Ortolino - Esercizio"

sample() { # prints: resident KiB, open files, threads
    local rss threads
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
    threads=$(awk '/^Threads:/ { print $2 }' "/proc/$pid/status")
    echo "$rss $(ls "/proc/$pid/fd" | wc -l) $threads"
}
end=$((SECONDS + minutes * 60))
warm=$((SECONDS + 120))
first= last= next_sample=$SECONDS presses=0
while ((SECONDS < end)); do
    kill -0 "$pid" 2>/dev/null || { cat "$home/output.txt" >&2; fail "the program ended"; }
    xdotool key space
    presses=$((presses + 1))
    sleep "$((RANDOM % 3 + 1)).$((RANDOM % 10))"
    if ((SECONDS >= next_sample)); then
        last=$(sample)
        [[ -z $first && $SECONDS -ge $warm ]] && first=$last
        echo "$((SECONDS / 60)) min: resident ${last%% *} KiB, files/threads ${last#* }"
        next_sample=$((SECONDS + 30))
    fi
done
[[ -n $first ]] || first=$last
read -r rss0 files0 threads0 <<<"$first"
read -r rss1 files1 threads1 <<<"$last"
growth=$(awk -v a="$rss0" -v b="$rss1" 'BEGIN { printf "%.1f", (b - a) * 100 / a }')
echo "soak: $presses presses in $minutes min; resident $rss0 -> $rss1 KiB ($growth %)," \
    "files $files0 -> $files1, threads $threads0 -> $threads1"
awk -v g="$growth" 'BEGIN { exit !(g <= 5 && g >= -5) }' || fail "memory moved more than 5 %"
((files1 <= files0 && threads1 <= threads0)) || fail "files or threads grew"
