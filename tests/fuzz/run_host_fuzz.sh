#!/bin/sh
# Builds one fuzz target of the pure rules with the build machine's clang
# (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and runs it for a
# set time, starting from its committed seed corpus. KV_FUZZ_SECONDS, when
# set, overrides the time (make fuzz runs longer than make check).
#   run_host_fuzz.sh <source-root> <work-dir> <target> <seconds> <sources...>
# Exits 77 (skipped) when the machine has no clang with libFuzzer.
set -eu
root=$1 work=$2 target=$3 seconds=${KV_FUZZ_SECONDS:-$4}
shift 4
cxx=${KV_FUZZ_CXX:-clang++}
if ! command -v "$cxx" >/dev/null 2>&1; then
    echo "fuzz $target: skipped, $cxx is not installed (tools/install-deps.sh installs it)"
    exit 77
fi
mkdir -p "$work/$target.corpus"
bin=$work/$target
sources="$root/tests/fuzz/${target}_fuzz.cpp"
for source in "$@"; do sources="$sources $root/$source"; done
# Rebuilt only when a source or header of the pure rules changed.
# shellcheck disable=SC2086
if [ ! -x "$bin" ] || [ -n "$(find $sources "$root/tests/fuzz" "$root/base" "$root/common" \
        "$root/install" "$root/controls" "$root/removal" -name '*.h' -newer "$bin" -o -name '*.cpp' -newer "$bin" \
        2>/dev/null | head -n 1)" ]; then
    # shellcheck disable=SC2086
    if ! "$cxx" -std=c++17 -g -O1 -Wall -Wextra -fsanitize=fuzzer,address,undefined \
            -fno-sanitize-recover=undefined -I"$root" $sources -o "$bin" 2>"$work/$target.build.log"; then
        if grep -q 'clang_rt.fuzzer' "$work/$target.build.log"; then
            echo "fuzz $target: skipped, no libFuzzer runtime (Debian libclang-rt-14-dev)"
            exit 77
        fi
        cat "$work/$target.build.log"
        exit 1
    fi
fi
# New inputs go to the work corpus; the committed seeds are only read.
"$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "$work/$target.corpus" "$root/tests/fuzz/corpus/$target" 2>"$work/$target.log" || {
    tail -n 60 "$work/$target.log"
    exit 1
}
grep -E '^(stat::number_of_executed_units|stat::new_units_added|Done)' "$work/$target.log" |
    sed "s/^/fuzz $target: /"
