#!/usr/bin/env bash
# Runs Icotrace under Wine against the demo desktop: installs what is missing,
# builds, starts the demo desktop and, once the build has made it,
# Icotrace.exe.
#   - With a DISPLAY you work with the windows; the run ends when Icotrace is
#     closed (or, without Icotrace, when the demo desktop is closed: Alt+F4).
#   - Without one, a walkthrough runs on a private Xvfb display as a person
#     would work: read, save, scramble the demo desktop, load, apply. Each
#     step's result is printed and its screenshot kept under
#     build/<flavour>/e2e/app/e2e/ (walk-*.png); the run ends by itself.
# Usage: scripts/run.sh [--32] [--no-setup] [--seconds N] [--build DIR]
#   --32        the 32-bit build (build/win32) instead of the 64-bit one
#   --seconds N with --show, how long the programs stay up (default 8)
#   --show      without a display, only show both programs for a while and
#               keep two screenshots (build/<flavour>/e2e/run-*.png)
#   --build DIR another build folder of that flavour
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

flavour=win64
toolchain=mingw-x86_64
loader=wine64
setup=1
seconds=8
inside=0
show=0
build=""
while [ $# -gt 0 ]; do
  case $1 in
    --32) flavour=win32; toolchain=mingw-i686; loader=wine; shift ;;
    --no-setup) setup=0; shift ;;
    --seconds) seconds=$2; shift 2 ;;
    --build) build=$(mkdir -p "$2" && cd "$2" && pwd); shift 2 ;;
    --inside) inside=1; shift ;;  # internal: the part that runs under the harness
    --show) show=1; shift ;;
    *) echo "usage: scripts/run.sh [--32] [--no-setup] [--seconds N] [--show] [--build DIR]" >&2; exit 2 ;;
  esac
done
[ -n "$build" ] || build=$root/build/$flavour

# The programs, once the harness has set up Wine and the display.
run_inside() {
  [ -x "/usr/lib/wine/$loader" ] && ! command -v "$loader" >/dev/null && loader=/usr/lib/wine/$loader
  local demo=$build/tools/demo-desktop/demo-desktop.exe
  local icotrace=$build/src/app/Icotrace.exe
  local ready=$ICOTRACE_E2E_DIR/run-ready.txt
  rm -f "$ready"
  # The demo desktop writes its items once its windows are up: that file says it is ready.
  "$loader" "$demo" --dump "$ICOTRACE_E2E_DIR_WIN\\run-ready.txt" &
  local demo_pid=$!
  for _ in $(seq 1 200); do
    [ -s "$ready" ] && break
    kill -0 "$demo_pid" 2>/dev/null || { echo "run: the demo desktop did not start" >&2; return 1; }
    sleep 0.1
  done
  [ -s "$ready" ] || { echo "run: the demo desktop did not come up in time" >&2; return 1; }
  echo "run: demo desktop up ($(grep -vc '^#' "$ready") items)"

  local icotrace_pid=""
  if [ -f "$icotrace" ]; then
    "$loader" "$icotrace" &
    icotrace_pid=$!
    echo "run: Icotrace started"
  else
    echo "run: no Icotrace.exe in $build yet; the demo desktop alone"
  fi

  if [ -n "${ICOTRACE_RUN_INTERACTIVE:-}" ]; then
    if [ -n "$icotrace_pid" ]; then
      echo "run: close Icotrace to end"
      wait "$icotrace_pid" || true
    else
      echo "run: close the demo desktop (Alt+F4) to end"
      wait "$demo_pid" || true
    fi
  else
    sleep 3
    import -window root "$ICOTRACE_E2E_DIR/run-start.png"
    echo "run: screenshot $ICOTRACE_E2E_DIR/run-start.png"
    sleep "$seconds"
    import -window root "$ICOTRACE_E2E_DIR/run-end.png"
    echo "run: screenshot $ICOTRACE_E2E_DIR/run-end.png"
  fi
  # The harness stops every Windows process of the build's prefix after this.
  kill "$demo_pid" ${icotrace_pid:+"$icotrace_pid"} 2>/dev/null || true
}

if [ $inside -eq 1 ]; then
  run_inside
  exit
fi

[ $setup -eq 0 ] || bash scripts/setup.sh
mkdir -p build
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain.cmake" -DICOTRACE_BENCH=OFF >"$build.configure.log" 2>&1 ||
    { cat "$build.configure.log"; exit 1; }
fi
walk=0
[ -n "${DISPLAY:-}" ] || [ $show -eq 1 ] || walk=1
targets=(demo_desktop Icotrace)
[ $walk -eq 0 ] || targets+=(icotrace_e2e_app)
cmake --build "$build" -j "${ICOTRACE_JOBS:-2}" --target "${targets[@]}"

if [ $walk -eq 1 ]; then
  # The walkthrough drives Icotrace from outside in the Wine prefix of the
  # app checks (they have Wine draw the window frames).
  exec bash scripts/wine-run.sh --build "$build/e2e/app" --timeout 300 --wine-frames "$loader" \
    "$build/tests/e2e/app/icotrace_e2e_app.exe" --gtest_filter=AppWalkthrough.* \
    "$build/src/app/Icotrace.exe" \
    "$build/tools/demo-desktop/demo-desktop.exe"
fi

if [ -n "${DISPLAY:-}" ]; then
  export ICOTRACE_RUN_INTERACTIVE=1
  limit=86400
else
  limit=$((seconds + 120))
fi
exec bash scripts/wine-run.sh --build "$build" --timeout "$limit" --session -- \
  bash "$root/scripts/run.sh" --inside $([ "$flavour" = win32 ] && echo --32) --seconds "$seconds" \
  --build "$build"
