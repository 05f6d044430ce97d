#!/bin/bash
# Screenshots of Ortolino's windows in each shipped language, on a virtual
# screen (Xvfb) of 1280x800: the splash, the menu with its language menu open,
# an exercise, the five configuration pages, the open-file dialog and the
# notice that follows it. The exercise's word is drawn at random. For looking at a translation
# and for the manuals' pictures; the same keys and clicks give the same
# pictures every time.
#
#   tools/screens/language-screens.sh [-o folder] [-b build/bin/ortolino] [Language ...]
#
# Writes <folder>/<Language>-<view>.png (folder default: screens). Languages
# default to Italiano and English. Needs xvfb-run, xdotool and ImageMagick
# (import). Settings live in a temporary folder: the real home is not touched.
set -euo pipefail

here=$(cd "$(dirname "$0")/../.." && pwd)
binary="$here/build/bin/ortolino"
out="screens"
while getopts "o:b:" option; do
    case $option in
    o) out=$OPTARG ;;
    b) binary=$OPTARG ;;
    *) sed -n '2,13p' "$0"; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
languages=("$@")
[ ${#languages[@]} -gt 0 ] || languages=(Italiano English)
binary=$(readlink -f "$binary")
[ -x "$binary" ] || { echo "no program at $binary" >&2; exit 1; }
mkdir -p "$out"
out=$(readlink -f "$out")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs inside Xvfb. The menus are reached by their Alt letters, which differ
# by language: the settings' and the exercise's exit letters.
cat >"$work/session.sh" <<'SESSION'
#!/bin/bash
set -u
binary=$1 out=$2 settings=$3 leave=$4
"$binary" >/dev/null 2>&1 &
pid=$!
shot() { sleep "${2:-1.5}"; import -window root "$out-$1.png"; }
at() { xdotool mousemove "$1" "$2" click 1; }
key() { # without a window manager the focus must be given by hand
    xdotool search --onlyvisible --name '^Ortolino' windowfocus >/dev/null 2>&1
    xdotool key "$1"
}
for _ in $(seq 100); do xdotool search --name Ortolino >/dev/null 2>&1 && break; sleep 0.2; done
shot splash 2
key Return
shot menu 2
key alt+l
shot languages 1
key Escape
sleep 0.5
at 440 190 # the first exercise
shot exercise 4
key "alt+$leave"
sleep 1.5
key "alt+$settings"
sleep 3
at 76 359   # "Keep a record of the activity"
for tab in 0 1 2 3 4; do
    at $((146 + tab * 247)) 91
    shot "settings$tab" 2
done
at 393 91   # the word-list page again: its "list in use" button opens a dialog
sleep 1
at 624 172
shot opendialog 2
xdotool key Escape # the dialog has the focus
sleep 1
shot notice 1
xdotool key Return # the notice that no list was chosen, focused
sleep 1
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit 0
SESSION
chmod +x "$work/session.sh"

for language in "${languages[@]}"; do
    case $language in
    English) letters=(s x) ;;
    *) letters=(c e) ;;
    esac
    home="$work/home-$language"
    twin="$home/ImpostazioniProgrammiLumo/Ortolino/lngortolino"
    mkdir -p "$twin" "$home/data/fonts" "$home/run"
    chmod 700 "$home/run"
    printf '[Language]\r\nCurrentLanguage=%s\r\n' "$language" >"$twin/LangSetting.ini"
    # The font as if installed by an earlier run: no notice to dismiss.
    cp "$(dirname "$binary")/../share/ortolino/tratto1.ttf" "$home/data/fonts/"
    XDG_CONFIG_HOME="$home" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/run" \
        xvfb-run -a -s "-screen 0 1280x800x24" \
        "$work/session.sh" "$binary" "$out/$language" "${letters[@]}"
done
ls "$out"
