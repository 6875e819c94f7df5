#!/usr/bin/env bash
# Everything CI runs: installs what is missing, builds the host tests and both
# Windows flavours, and runs every test (host, host again under AddressSanitizer
# and UBSan, then Wine end to end); packs the release archives of both flavours.
# Usage: scripts/test.sh [--no-setup]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${ICOTRACE_JOBS:-2}

[ "${1:-}" = "--no-setup" ] || bash scripts/setup.sh

configure() {  # folder, extra cmake arguments...
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$dir.configure.log" 2>&1 ||
    { cat "$dir.configure.log"; exit 1; }
}

mkdir -p build
echo "== the CI workflow against GitHub's own workflow schema"
node tools/workflow-check/check.mjs .github/workflows/*.yml
# The checker itself: a workflow with a misspelled key and a wrong runs-on
# must fail, on both lines.
rejected=$(node tools/workflow-check/check.mjs tools/workflow-check/rejected.yml 2>&1) &&
  { echo "the workflow checker accepts tools/workflow-check/rejected.yml"; exit 1; }
[ "$(grep -cE 'Line: (8|11),' <<<"$rejected")" -eq 2 ] ||
  { echo "the workflow checker missed a fault of rejected.yml: $rejected"; exit 1; }

echo "== host build and unit tests"
configure build/host
cmake --build build/host -j "$jobs"
ctest --test-dir build/host --output-on-failure -j "$jobs"

echo "== host unit tests under AddressSanitizer and UBSan"
# -O1 keeps the build short and the reports exact; any finding fails its test.
configure build/host-asan -DICOTRACE_SANITIZE=ON -DICOTRACE_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"
cmake --build build/host-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
  UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build/host-asan --output-on-failure -j "$jobs"

echo "== fuzz the layout file reader (short run)"
bash scripts/fuzz.sh "${ICOTRACE_FUZZ_SECONDS:-15}"

echo "== committed pictures match their generator"
/usr/bin/python3 tools/art/generate.py --check
/usr/bin/python3 -m unittest discover -s tools/art/tests -t tools/art/tests

for flavour in win64:mingw-x86_64 win32:mingw-i686; do
  dir=build/${flavour%%:*}
  echo "== Windows build ${flavour%%:*}"
  configure "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/${flavour#*:}.cmake" -DICOTRACE_BENCH=OFF
  cmake --build "$dir" -j "$jobs"
done

echo "== release archives of both Windows builds"
bash scripts/release.sh --pack build/win64 build/win32 build/release-check

# Each flavour's checks also drive the other flavour's demo desktop (mixed bitness).
export ICOTRACE_DEMO_DESKTOP_64=$root/build/win64/tools/demo-desktop/demo-desktop.exe
export ICOTRACE_DEMO_DESKTOP_32=$root/build/win32/tools/demo-desktop/demo-desktop.exe
# And the item ID proxies of both, registered in every prefix for those pairs.
export ICOTRACE_ITEM_ID_PROXIES_64=$root/build/win64/tests/e2e/item_id_proxies/item-id-proxies.dll
export ICOTRACE_ITEM_ID_PROXIES_32=$root/build/win32/tests/e2e/item_id_proxies/item-id-proxies.dll
for flavour in win64 win32; do
  if [ -n "$(ctest --test-dir "build/$flavour" -N | grep -E 'Total Tests: [1-9]')" ]; then
    echo "== Wine end-to-end tests $flavour"
    ctest --test-dir "build/$flavour" --output-on-failure
  fi
done
echo "== all tests passed"
