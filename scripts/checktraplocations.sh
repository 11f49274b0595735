#!/usr/bin/env bash
# Fails when two trapped statements log under the same location number, so a number in the
# error log always leads to one place in the code. Reads literal locations (Trap(n, ...),
# the home page's rejects(n, ...)) and named ones (kLocName = n).
set -euo pipefail
src="${1:-$(cd "$(dirname "$0")/.." && pwd)/src}"
pattern='\b(Trap|rejects)\(\s*[0-9]+|\bkLoc[A-Za-z0-9]+ = [0-9]+'
numbers=$(grep -rhoE --include='*.cpp' --include='*.h' "$pattern" "$src" | grep -oE '[0-9]+$')
[ -n "$numbers" ] || { echo "no trap locations found under $src"; exit 1; }
shared=$(sort -n <<<"$numbers" | uniq -d)
[ -z "$shared" ] && exit 0
for n in $shared; do
    echo "location $n is used more than once:"
    grep -rnE --include='*.cpp' --include='*.h' "\b(Trap|rejects)\(\s*$n\b|\bkLoc[A-Za-z0-9]+ = $n\b" "$src"
done
exit 1
