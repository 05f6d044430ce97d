#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a while on its corpus.
#   tools/fuzz.sh [SECONDS-PER-TARGET] [TARGET...]   (default: 20 s, all)
# CI runs it briefly (setup.sh fuzz); for a long campaign give hours, e.g.
#   nice -n 19 tools/fuzz.sh 3600 profile
# A unit running longer than ORTOLINO_FUZZ_TIMEOUT seconds (default 10) is a
# hang; the clock is the wall's, so give more on a busy machine.
# New inputs found go to build-fuzz/corpus/<target>/ (the committed seeds in
# tests/fuzz/corpus/ stay as they are); a crash leaves crash-* in build-fuzz/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
here=$root/tests/fuzz
build=${ORTOLINO_FUZZ_BUILD:-$root/build-fuzz}
seconds=${1:-20}
timeout=${ORTOLINO_FUZZ_TIMEOUT:-10}
shift || true
targets=("$@")
((${#targets[@]})) || targets=(profile ini wordlist character wav speechtags text)

if ! command -v clang++ >/dev/null; then
    echo "fuzz: clang++ is not installed; the fuzz targets are not built." >&2
    exit 0
fi
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"

export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for target in "${targets[@]}"; do
    work="$build/corpus/$target"
    mkdir -p "$work"
    log="$build/fuzz_$target.log"
    # -rss_limit_mb guards the run; -timeout makes a hang a finding.
    if (cd "$build" && "./fuzz_$target" -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb=2048 \
        -max_len=65536 -print_final_stats=1 "$work" "$here/corpus/$target") >"$log" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
        echo "fuzz_$target: $runs executions in ${seconds} s, nothing found"
    else
        echo "fuzz_$target: FOUND A FAULT (see $log)" >&2
        tail -40 "$log" >&2
        status=1
    fi
done
exit $status
