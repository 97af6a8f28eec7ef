#!/usr/bin/env bash
# Runs bench/run on 300 recipes with the programs of the build given, while another X server holds a
# display of its own, and checks that it exits 0 with every figure printed.
#   check_bench_run.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1 build_dir=$2
work=$(mktemp -d)
other=
trap '[ -n "$other" ] && kill "$other" 2>/dev/null; rm -rf "$work"' EXIT
# Another server on the display the runner would take first if it chose by itself.
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$work/other" >/dev/null 2>&1 & other=$!
for _ in $(seq 100); do [ -s "$work/other" ] && break; sleep 0.1; done
status=0
SAPORINA_BENCH_BUILD=$build_dir SAPORINA_BENCH_NO_BUILD=1 bash "$source_dir/bench/run" 300 >"$work/figures" 2>&1 || status=$?
cat "$work/figures"
[ "$status" -eq 0 ] || { echo "bench/run exited with $status"; exit 1; }
kill -0 "$other" || { echo "the other X server is gone"; exit 1; }
for figure in startup_ms startup_peak_rss_mb search_ms scale_ms shopping_list_100_ms book_bytes xmllint_parse_ms grep_ms \
  write_fsync_ms; do
  grep -q "^$figure: [0-9.]* " "$work/figures" || { echo "missing figure $figure"; exit 1; }
done
