#!/usr/bin/env bash
# Fuzzes the layout file reader: builds tests/fuzz with clang (libFuzzer,
# AddressSanitizer, UBSan) under build/fuzz, then runs it for the given number
# of seconds from the committed seeds in tests/fuzz/corpus. New inputs go to
# build/fuzz/corpus, findings to build/fuzz/findings. Exits non-zero on any
# crash, hang, leak or broken check.
# Usage: scripts/fuzz.sh [seconds]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
jobs=${ICOTRACE_JOBS:-2}
build=build/fuzz

mkdir -p "$build"
cmake -S tests/fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  >"$build/configure.log" 2>&1 || { cat "$build/configure.log"; exit 1; }
cmake --build "$build" -j "$jobs" >"$build/build.log" 2>&1 || { cat "$build/build.log"; exit 1; }

mkdir -p "$build/corpus" "$build/findings"
echo "fuzz: layout reader for ${seconds}s"
"$build/layout_reader_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -max_len=65536 -print_final_stats=1 -artifact_prefix="$build/findings/" \
  "$build/corpus" tests/fuzz/corpus 2>"$build/fuzz.log" || {
  status=$?
  tail -n 60 "$build/fuzz.log"
  echo "fuzz: finding, see $build/findings and $build/fuzz.log" >&2
  exit "$status"
}
grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^Done' "$build/fuzz.log" || true
echo "fuzz: no finding"
