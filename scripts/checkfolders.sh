#!/usr/bin/env bash
# Fails when source folders include each other in a circle (gui/dialogs -> gui/commands ->
# gui/dialogs), or when a layer includes one above it: base -> model -> analysis, store,
# report -> gui (widgets -> dialogs -> views -> pictures -> commands -> mainwindow) -> app.
# A folder is the part of an include path before the file name.
set -euo pipefail
src="${1:-$(cd "$(dirname "$0")/.." && pwd)/src}"
edges=$(cd "$src" && grep -rHoE --include='*.cpp' --include='*.h' '^#include "[a-z/]+/[A-Za-z0-9_]+\.h"' . |
    sed -E 's|^\./(.*)/[^/]+:#include "(.*)/[^/]+\.h"$|\1 \2|' | awk '$1 != $2' | sort -u)
rank() {
    case "$1" in
    base*) echo 0 ;; model*) echo 1 ;; analysis* | store* | report*) echo 2 ;;
    gui/widgets) echo 3 ;; gui/dialogs) echo 4 ;; gui/views) echo 5 ;; gui/pictures) echo 6 ;;
    gui/commands) echo 7 ;; gui/mainwindow) echo 8 ;; app*) echo 9 ;; *) echo 99 ;;
    esac
}
status=0
while read -r from to; do
    [ -n "$from" ] || continue
    if [ "$(rank "$to")" -gt "$(rank "$from")" ]; then
        echo "$from includes $to, a layer above it"
        status=1
    fi
done <<<"$edges"
# Every folder a folder reaches; a folder that reaches itself is in a circle.
cycles=$(awk '
    { reach[$1, $2] = 1; node[$1] = 1; node[$2] = 1 }
    END {
        for (k in node) for (i in node) if ((i, k) in reach) for (j in node) if ((k, j) in reach) reach[i, j] = 1
        for (i in node) if ((i, i) in reach) print i
    }' <<<"$edges" | sort)
if [ -n "$cycles" ]; then
    echo "folders that include each other in a circle: $(echo $cycles)"
    status=1
fi
exit "$status"
