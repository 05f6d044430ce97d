#!/usr/bin/env bash
# Ortolino set-up: installs what a fresh Debian 12 machine lacks, builds, then
#   ./setup.sh run    starts the program on its bundled data
#   ./setup.sh test   runs the whole test suite
#   ./setup.sh sanitize  runs the suite built with AddressSanitizer + UBSan
#   ./setup.sh fuzz [S]  builds the readers' fuzz targets with clang and runs
#                        each S seconds (default 20; tools/fuzz.sh for more)
#   ./setup.sh package   builds the Debian package into build-package/
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-translations-l10n qt6-multimedia-dev qt6-svg-dev libqt6svg6-dev libgl1-mesa-dev
    libqt6sql6-sqlite qt6-charts-dev
    libespeak-ng-dev espeak-ng-data
    libgtest-dev googletest
    fonts-liberation2 fonts-dejavu-core fonts-comic-neue
    xvfb xdotool libxcb-damage0-dev
    unrtf poppler-utils
    desktop-file-utils appstream
    clang-format-14
    clang libclang-rt-14-dev
)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [[ $(id -u) -ne 0 ]] && sudo="sudo"
        $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq "${missing[@]}"
    fi
}

build() { # build-folder [cmake options...]
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$dir"
}

run_tests() { # build-folder
    (cd "$1" && ctest --output-on-failure --timeout 300 -j2)
}

# Every GoogleTest test must carry the leak checker's options: a list given to
# gtest_discover_tests loses all but its first variable, silently.
check_test_environment() { # build-folder
    local missing
    missing=$(cd "$1" && ctest -N -V | awk '
        /Test command:.*--gtest_filter/ { gtest = 1; seen = 0 }
        /LSAN_OPTIONS=suppressions=/    { seen = 1 }
        /^ *Test +#[0-9]+:/             { if (gtest && !seen) n++; gtest = 0 }
        END                             { print n + 0 }')
    if ((missing)); then
        echo "$missing tests run without LSAN_OPTIONS (see ctest -N -V)" >&2
        return 1
    fi
}

case "${1:-}" in
run)
    install_missing
    build build
    if [[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
        echo "No display found: starting Ortolino on a virtual screen (xvfb-run)."
        exec xvfb-run -a -s "-screen 0 1280x800x24" build/bin/ortolino
    fi
    exec build/bin/ortolino
    ;;
test)
    install_missing
    build build
    run_tests build
    ;;
sanitize)
    install_missing
    build build-sanitize -DORTOLINO_SANITIZE=ON -DORTOLINO_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
    check_test_environment build-sanitize
    run_tests build-sanitize
    ;;
fuzz)
    install_missing
    tools/fuzz.sh "${2:-20}"
    ;;
package)
    # The package is built from a copy of the tree (no build folders), so
    # dpkg-buildpackage's own folders never mix with the working tree.
    PACKAGES+=(dpkg-dev debhelper fakeroot lintian)
    install_missing
    version=$(sed -n '1s/^ortolino (\([^)]*\)).*/\1/p' debian/changelog)
    rm -rf build-package
    mkdir -p "build-package/ortolino-$version"
    tar --exclude='./build*' --exclude=./.git --exclude=./.cache -cf - . |
        tar -x -C "build-package/ortolino-$version"
    (cd "build-package/ortolino-$version" && dpkg-buildpackage -us -uc -b)
    lintian build-package/*.changes || true
    ls build-package/*.deb
    ;;
*)
    echo "usage: $0 run|test|sanitize|fuzz|package" >&2
    exit 2
    ;;
esac
