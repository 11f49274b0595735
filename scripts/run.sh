#!/usr/bin/env bash
# Builds Quillbrook and starts it from the build folder, which is a complete program folder.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
build="${BUILD_DIR:-$root/build}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
    echo "No display: set DISPLAY (or run under xvfb-run) to start Quillbrook." >&2
    exit 2
fi
exec "$build/Quillbrook" "$@"
