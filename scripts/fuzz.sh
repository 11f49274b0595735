#!/usr/bin/env bash
# Builds the libFuzzer targets under fuzz/ with clang (address and undefined-behaviour
# sanitizers) into build-fuzz/ (override with FUZZ_BUILD_DIR) and runs each in turn for
# [seconds] (default 60), starting from the seeds in fuzz/corpus/<target>/. Inputs that
# broke a promise or crashed are kept in <build>/findings/<target>/; the exit status is 1
# when there was any. Not part of the normal build: CLANGXX picks another clang++.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${1:-60}"
clang="${CLANGXX:-clang++}"
targets=(inidocument propertytable numerictext)

if ! command -v "$clang" >/dev/null 2>&1; then
    echo "fuzz: skipped: no $clang (apt-get install clang libclang-rt-dev)"
    exit 0
fi
mkdir -p "$build"
probe='extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }'
if ! echo "$probe" | "$clang" -x c++ -fsanitize=fuzzer,address,undefined - \
        -o "$build/probe" >/dev/null 2>&1; then
    echo "fuzz: skipped: $clang has no libFuzzer runtime (apt-get install libclang-rt-dev)"
    exit 0
fi

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER="$clang" "${launcher[@]}" >/dev/null &&
    cmake --build "$build" -j"$(nproc)" >/dev/null || { echo "fuzz: build failed"; exit 2; }

total=0
for target in "${targets[@]}"; do
    work="$build/corpus/$target"
    findings="$build/findings/$target"
    log="$build/$target.log"
    mkdir -p "$work" "$findings"
    # One process at a time; a finding is kept and the run goes on (fork mode), so one fault
    # does not hide the next.
    "$build/fuzz_$target" -max_total_time="$seconds" -fork=1 -ignore_crashes=1 \
        -ignore_timeouts=1 -ignore_ooms=1 -rss_limit_mb=4096 -artifact_prefix="$findings/" \
        "$work" "$root/fuzz/corpus/$target" >"$log" 2>&1
    executions="$(grep -oE '^#[0-9]+' "$log" | tail -1 | tr -d '#')"
    found="$(find "$findings" -type f | wc -l)"
    total=$((total + found))
    echo "fuzz_$target: ${executions:-0} executions in ${seconds} s, $found finding(s)"
    # What each finding is: the broken promise or the sanitizer's verdict, replayed and counted.
    for input in "$findings"/*; do
        [ -f "$input" ] || continue
        report="$("$build/fuzz_$target" "$input" 2>&1)"
        grep -m1 -E '^(FINDING: |SUMMARY: )' <<<"$report" || echo "no report on replay"
    done | sort | uniq -c | sed 's/^/    /'
    [ "$found" -gt 0 ] && echo "    inputs in $findings, full log $log"
done
[ "$total" -eq 0 ]
