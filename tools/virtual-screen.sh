# Sourced by the scripts that drive the real program on a virtual screen
# (tests/program/walk-the-windows.sh, tools/soak/soak.sh).

# A home of its own: settings, data and runtime folders in a temporary folder
# ($home), so the real user's files are never touched.
use_temporary_home() {
    home=$(mktemp -d)
    export XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}

# Italian (the scripts read its titles), whatever the machine's language, as
# a setting of the temporary home's own. The program reads it before the one
# in its folder, where a program started from the build tree remembers the
# language last chosen there.
use_italian() {
    local folder=$XDG_CONFIG_HOME/ImpostazioniProgrammiLumo/Ortolino/lngortolino
    mkdir -p "$folder"
    printf '[Language]\r\nCurrentLanguage=Italiano\r\n' >"$folder/LangSetting.ini"
}

# Waits (a sanitized build is slow) until the window of this title shows, and
# calls `fail` with a message when it does not or when the program ($pid) ends.
expect() { # title
    local tries
    for ((tries = 0; tries < 120; tries++)); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 && { sleep 0.5; return; }
        kill -0 "$pid" 2>/dev/null || fail "the program ended before showing \"$1\""
        sleep 0.5
    done
    fail "\"$1\" did not show; shown: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|')"
}
