#!/usr/bin/env bash
# Kills a save of a 1,000-property database at random moments, [trials] times (default 100),
# and checks each time that the database is the old or the new file and the backup whole.
# Builds what it needs into build/ (override with BUILD_DIR); QB_KILL_SEED repeats a run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
trials="${1:-100}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target tst_killsave savechild >/dev/null
cd "$build"
status=0
output="$(QB_KILL_TRIALS="$trials" QT_QPA_PLATFORM=offscreen ./tst_killsave 2>&1)" || status=$?
echo "$output" | grep -E "^(QINFO|FAIL|   Loc)" | sed 's/^QINFO  : [^ ]* //'
[ "$status" -eq 0 ] && echo "kill during save: passed" || echo "kill during save: FAILED"
exit "$status"
