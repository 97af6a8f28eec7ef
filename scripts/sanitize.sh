#!/usr/bin/env bash
# Builds every suite again with AddressSanitizer and UndefinedBehaviorSanitizer (clang) in
# ./build-sanitize, with the fuzz targets, and runs them all through CTest: any sanitizer report, crash,
# hang or leak fails. SAPORINA_FUZZ_SECONDS sets how long each fuzz target runs (40 unless set).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --tests
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=None \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" \
  -DSAPORINA_SANITIZE=ON -DSAPORINA_FUZZ=ON \
  -DSAPORINA_FUZZ_SECONDS="${SAPORINA_FUZZ_SECONDS:-40}" >/dev/null
cmake --build build-sanitize -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0
ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)"
