#!/bin/bash
# Starts Ortolino on a virtual screen (Xvfb) at several sizes, in print and in
# cursive, and writes a contact sheet of the exercise, menu and configuration
# windows (the letters tab and the voice tab). Used to look at the child's
# screen before and after a change, and for the manual's screenshots.
#
#   tools/screens/contact-sheet.sh [-o sheet.png] [-k folder] [-b build/bin/ortolino] [WxH ...]
#
# -k keeps the single screenshots in a folder. Sizes default to 1024x768,
# 1280x800 and 1920x1080. Needs xvfb-run, xdotool and ImageMagick (import,
# montage). Settings live in a temporary folder: the real home is not touched.
set -euo pipefail

here=$(cd "$(dirname "$0")/../.." && pwd)
binary="$here/build/bin/ortolino"
sheet="contact-sheet.png"
keep=""
while getopts "o:k:b:" option; do
    case $option in
    o) sheet=$OPTARG ;;
    k) keep=$OPTARG ;;
    b) binary=$OPTARG ;;
    *) sed -n '2,10p' "$0"; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1024x768 1280x800 1920x1080)
binary=$(readlink -f "$binary")
[ -x "$binary" ] || { echo "no program at $binary" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
shots="${keep:-$work/shots}"
mkdir -p "$shots"

# A profile for the default user: every letter active, the character speaking
# (silently: Xvfb has no sound), random backgrounds, in print or cursive.
write_profile() { # folder lettering face
    local profile="$1/ImpostazioniProgrammiLumo/Ortolino/utenti/_predefinito.INI"
    mkdir -p "$(dirname "$profile")"
    {
        for _ in $(seq 26); do echo True; done
        printf '%s\n' "$2" " 13 " "" True False " 130 " " 100 " True False "$3" Arial " 28 " \
            " 0 " " 16777215 " " 16777152 " True False False " 0 " " 4 " False False " 9 " \
            "-2147483633 " " 255 " Merlin "{it}"
    } >"$profile"
}

# Runs inside Xvfb: menu, an exercise, the configuration's letters and voice tabs.
cat >"$work/session.sh" <<'EOF'
#!/bin/bash
set -u
binary=$1 out=$2 width=$3 height=$4
"$binary" >/dev/null 2>&1 &
pid=$!
shot() { sleep "$2"; import -window root "$out-$1.png"; }
at() { # click at a share of the screen (per mille), below the menu bar
    xdotool mousemove $(($1 * width / 1000)) $((25 + $2 * (height - 25) / 1000)) click 1
}
key() { # without a window manager the focus must be given by hand
    xdotool search --onlyvisible --name '^Ortolino' windowfocus >/dev/null 2>&1
    xdotool key "$1"
}
for _ in $(seq 100); do xdotool search --name Ortolino >/dev/null 2>&1 && break; sleep 0.2; done
sleep 1.5
key Return # the splash's only button
shot menu 2
at 345 228 # "LETTERA INIZIALE"
shot exercise 4
key alt+e # "&Esci"
sleep 1.5
key alt+c # "&Configurazioni"
sleep 3
at 292 95 # tab "Scelte didattiche"
shot letters 1.5
at 695 95 # tab "Voce e Suoni"
shot voice 3
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit 0
EOF
chmod +x "$work/session.sh"

tiles=()
for size in "${sizes[@]}"; do
    width=${size%x*} height=${size#*x}
    for lettering in maiuscolo corsivo; do
        face=Arial
        [ "$lettering" = corsivo ] && face=Tratto1
        home="$work/home-$size-$lettering"
        mkdir -p "$home/data" "$home/run"
        chmod 700 "$home/run"
        write_profile "$home" "$lettering" "$face"
        # In Italian, whatever the build tree's program folder remembers.
        mkdir -p "$home/ImpostazioniProgrammiLumo/Ortolino/lngortolino"
        printf '[Language]\r\nCurrentLanguage=Italiano\r\n' \
            >"$home/ImpostazioniProgrammiLumo/Ortolino/lngortolino/LangSetting.ini"
        # The font as if installed by an earlier run: no notice to dismiss.
        mkdir -p "$home/data/fonts"
        cp "$(dirname "$binary")/../share/ortolino/tratto1.ttf" "$home/data/fonts/"
        XDG_CONFIG_HOME="$home" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/run" \
            xvfb-run -a -s "-screen 0 ${size}x24" \
            "$work/session.sh" "$binary" "$shots/$size-$lettering" "$width" "$height"
        for view in exercise menu letters voice; do
            [ -f "$shots/$size-$lettering-$view.png" ] &&
                tiles+=(-label "$size $lettering $view" "$shots/$size-$lettering-$view.png")
        done
    done
done
montage "${tiles[@]}" -tile 4x -geometry 480x300+6+6 -pointsize 14 -font DejaVu-Sans "$sheet"
echo "$sheet"
