#!/usr/bin/env bash
# Builds and runs every benchmark, then prints one table of what each measured against its
# target. Benchmarks report through bench/benchreport.h; a MISS is a target not met. Arguments
# are names to run (bench_database ...); none runs them all. Takes a few minutes: the largest
# builds a database of 100,000 properties.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh" >/dev/null || exit 2
cd "$build"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
if [ "$#" -gt 0 ]; then
    benches=("$@")
else
    mapfile -t benches < <(cd "$build" && ls bench_* | sort)
fi
results="$(mktemp)"
for bench in "${benches[@]}"; do
    echo "running $bench..." >&2
    "./$bench" 2>/dev/null | grep '^RESULT' >>"$results"
done
missed=0
{
    printf 'measure\tfigure\ttarget\tok\n'
    cut -f2- "$results"
} | awk -F'\t' '
    { for (i = 1; i <= NF; i++) { cell[NR, i] = $i; if (length($i) > width[i]) width[i] = length($i) } }
    END { for (r = 1; r <= NR; r++) {
              line = ""
              for (i = 1; i <= 4; i++) line = line sprintf(i < 4 ? "%-" width[i] "s  " : "%s", cell[r, i])
              print line } }'
grep -q $'\tMISS$' "$results" && missed=1
rm -f "$results"
exit "$missed"
