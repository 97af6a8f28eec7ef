#!/usr/bin/env bash
# Prints figures about the code that anyone can check: lines per source folder, test lines, the longest
# functions in src/, and which ui folders include headers of which others (a cycle shows as a pair
# both ways). Reads files only.
#   scripts/code-figures.sh [N]   N longest functions (10 unless given)
set -euo pipefail
cd "$(dirname "$0")/.."
count() { find "$@" -name '*.cpp' -o -name '*.h' | xargs cat 2>/dev/null | wc -l; }

echo "== lines per folder"
for folder in src/core/* src/ui/* ; do
  [ -d "$folder" ] && printf '%6d  %s\n' "$(count "$folder")" "$folder"
done
printf '%6d  %s\n' "$(count src)" "src (all)"
printf '%6d  %s\n' "$(count tests)" "tests (all)"
awk -v t="$(count tests)" -v s="$(count src)" 'BEGIN { printf "tests are %.0f%% of src\n", 100 * t / s }'

echo "== longest functions in src (lines from the signature to the closing brace)"
# A function starts at a line in column 0 that is followed by a "{" alone in column 0, and ends at the
# next "}" alone in column 0, as the code is formatted.
find src -name '*.cpp' | sort | while read -r file; do
  awk -v file="$file" '
    /^[A-Za-z~].*[)]( const)?( override)?( noexcept)?$/ || /^[A-Za-z~].*[,(]$/ { if (!inside) { head = FNR; name = $0 } }
    /^\{$/ { if (!inside && head) { inside = 1; start = head } }
    /^\}$/ { if (inside) { printf "%5d  %s:%d  %s\n", FNR - start + 1, file, start, substr(name, 1, 80); inside = 0; head = 0 } }
  ' "$file"
done | sort -rn | head -n "${1:-10}"

echo "== ui folders including headers of other ui folders (from -> to: files)"
for from in src/ui/*/; do
  f=$(basename "$from")
  { grep -ho '#include "ui/[a-z_]*/' "$from"*.h "$from"*.cpp 2>/dev/null || true; } | sed 's|#include "ui/||; s|/$||' |
    { grep -v "^$f$" || true; } | sort | uniq -c | while read -r n to; do echo "$f -> $to: $n"; done
done
