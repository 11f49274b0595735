#!/usr/bin/env bash
# Builds Quillbrook and runs every test, then the guard rails: the save killed at random moments
# (20 trials) and the whole suite again under the address and undefined-behaviour sanitizers,
# so neither a torn save nor a memory fault can pass. --quick stops after the plain suite;
# --sanitize runs only the sanitizer suite (scripts/sanitize.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ "${1:-}" = "--sanitize" ]; then
    shift
    "$root/scripts/setup.sh"
    exec "$root/scripts/sanitize.sh" "$@"
fi
quick=0
if [ "${1:-}" = "--quick" ]; then
    quick=1
    shift
fi
"$root/scripts/setup.sh"
"$root/scripts/checkformat.sh"
"$root/scripts/build.sh"
build="${BUILD_DIR:-$root/build}"
(
    cd "$build"
    export QT_QPA_PLATFORM=offscreen
    ctest --output-on-failure -j"$(nproc)"
)
[ "$quick" -eq 1 ] && exit 0
"$root/scripts/killsave.sh" 20
"$root/scripts/sanitize.sh"
