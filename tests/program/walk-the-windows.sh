#!/usr/bin/env bash
# Starts the real program on a virtual screen and walks it as a teacher would,
# by mouse and keyboard: the font notice, the splash, the configuration (where
# tracking is ticked), an exercise with three wrong letters, the report, the
# progress view, back to the menu and "ESCI". Each window must show up in
# time, the program must end by itself with status 0, and nothing may be
# reported on its error output by the sanitizers of a sanitized build.
#   walk-the-windows.sh PATH/TO/ortolino [SCREENSHOT-FOLDER]
# Run inside xvfb-run (-screen 0 1280x800x24): the clicks are placed for that size.
set -uo pipefail
arguments=("$@")
program=$1
shots=${2:-}
source "$(dirname "$0")/../../tools/virtual-screen.sh"
pid=
use_temporary_home
trap 'kill "$pid" 2>/dev/null; rm -rf "$home"' EXIT
use_italian

fail() {
    echo "walk: $*" >&2
    [[ -n $shots ]] && import -window root "$shots/failure.png"
    echo "--- program output:" >&2
    cat "$home/output.txt" >&2
    # The leak checker's own tracer can crash while the program's threads end
    # at exit: then no leak was looked for, let alone found. Walk once more.
    if [[ -z ${ORTOLINO_WALK_AGAIN:-} ]] &&
        grep -q "LeakSanitizer has encountered a fatal error" "$home/output.txt"; then
        echo "walk: the leak checker crashed, not the program: walking once more" >&2
        trap - EXIT
        rm -rf "$home"
        ORTOLINO_WALK_AGAIN=1 exec "$0" "${arguments[@]}"
    fi
    exit 1
}

click() { xdotool mousemove "$1" "$2" click 1; }

"$program" >"$home/output.txt" 2>&1 &
pid=$!

expect "Ortolino"                      # the cursive font's notice
xdotool key Return
sleep 1
expect "Ortolino"                      # the splash
xdotool key space
expect "Ortolino - Menu"
click 52 8                             # "Configurazioni"
expect "Ortolino - Configurazioni"
click 76 359                           # "Tieni traccia dell'attività eseguita"
xdotool key alt+m
expect "Ortolino - Menu"
click 440 190                          # "LETTERA INIZIALE"
expect "Ortolino - Esercizio"
xdotool type --delay 300 "abc"         # three wrong letters: every help
sleep 2
click 188 8                            # "Esci"
expect "Ortolino - Menu"
click 160 8                            # "Esercizi eseguiti"
expect "Ortolino - Esercizi eseguiti"
xdotool key alt+p                      # "Progressi"
expect "Ortolino - Progressi"
[[ -n $shots ]] && import -window root "$shots/progress.png"
click 20 8                             # "Esci"
expect "Ortolino - Esercizi eseguiti"
click 20 8                             # "Esci"
expect "Ortolino - Menu"
click 1068 626                         # "ESCI"

for ((tries = 0; tries < 120; tries++)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after ESCI"
wait "$pid"
status=$?
((status == 0)) || fail "the program ended with status $status"
grep -qE "Sanitizer|runtime error:" "$home/output.txt" && fail "the sanitizers reported a fault"
echo "walk: every window showed and the program ended cleanly"
