#!/usr/bin/env bash
# Builds Quillbrook and runs every test. With --sanitize: the same under the address and
# undefined-behaviour sanitizers, in a build folder of their own (scripts/sanitize.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ "${1:-}" = "--sanitize" ]; then
    shift
    "$root/scripts/setup.sh"
    exec "$root/scripts/sanitize.sh" "$@"
fi
"$root/scripts/setup.sh"
"$root/scripts/checkformat.sh"
"$root/scripts/build.sh"
build="${BUILD_DIR:-$root/build}"
cd "$build"
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure -j"$(nproc)"
