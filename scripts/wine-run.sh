#!/usr/bin/env bash
# Runs one Windows program (or one host command) under Wine for a build folder.
#
#   scripts/wine-run.sh [options] <loader> <program.exe> [args...]
#   scripts/wine-run.sh [options] --session -- <host command> [args...]
#
# <loader> is wine or wine64 (what cmake/mingw-*.cmake hands in through
# CMAKE_CROSSCOMPILING_EMULATOR). The second form runs a host command (a
# script that starts several Windows programs, for instance) with the same
# environment and the same cleanup.
#
# What it does, for the build folder found above the program (the first folder
# holding CMakeCache.txt, or --build):
#   - one run at a time per build folder (flock on <build>/e2e/.run.lock);
#   - a 64-bit WINEPREFIX at <build>/wineprefix, made once with wineboot and
#     reused; both loaders run in it, so the 32-bit build can also start the
#     64-bit demo desktop;
#   - WINEDEBUG=-all unless WINEDEBUG is set;
#   - when DISPLAY is unset, a private Xvfb on a free display, stopped at the end,
#     used once it answers with the screen size asked for;
#   - the settings a Windows program reads when it starts, written before any
#     Windows process of the run: the screen's DPI (LogPixels) and whether
#     Wine draws the window frames itself (Managed), so that a program and
#     the checks that drive it see the same screen from their first moment;
#   - screenshots on request: a program creates <e2e>/<name>.snap-request and
#     the harness writes <e2e>/<name>.png (import -window root) then removes the
#     request; ICOTRACE_E2E_DIR and ICOTRACE_E2E_DIR_WIN name the folder;
#   - a timeout on every wait: a program that hangs is killed and the run fails;
#   - at the end, whatever happened: the prefix's wineserver and every Windows
#     process in it are stopped (the prefix is this build folder's own), then the
#     helpers the harness started, by pid.
#
# Options:
#   --build DIR       the build folder
#   --timeout SEC     how long the program may run (default $ICOTRACE_WINE_TIMEOUT or 300)
#   --screenshot NAME take <e2e>/NAME.png just before the program is stopped
#   --log NAME        copy the output to <e2e>/NAME.log (default for a program:
#                     <e2e>/logs/<program>-<first argument or test filter>.log)
#   --dpi N           the screen's DPI (default 96)
#   --wine-frames     Wine draws the window frames itself, so that a title bar's
#                     buttons can be clicked with no window manager (by default
#                     Wine leaves the frames to a window manager)
#   --windows-shell   the prefix as a Windows 10 1809+ desktop for the run: Wine
#                     reports Windows 10 (build 18362), and the shell's window
#                     list (CLSID_ShellWindows) is mapped (TreatAs) onto the
#                     class a demo desktop started with --windows-shell serves;
#                     without it the run has Wine's own version and window list
# Environment: ICOTRACE_ITEM_ID_PROXIES, ICOTRACE_ITEM_ID_PROXIES_32 and _64:
#   the proxies that carry item IDs whole between processes
#   (tests/e2e/item_id_proxies), registered in the prefix (regsvr32) before
#   the run, again whenever a build changes them.
# Environment: ICOTRACE_WINE_LOCK_WAIT (seconds to wait for another run, 900),
#              ICOTRACE_XVFB_SIZE (screen of the private display, 1280x800x24).
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=""
timeout_sec=${ICOTRACE_WINE_TIMEOUT:-300}
final_shot=""
log_name=""
session=0
dpi=96
managed=Y
windows_shell=0

die() {
  echo "wine-run: $*" >&2
  exit 2
}

while [ $# -gt 0 ]; do
  case $1 in
    --build) build=$2; shift 2 ;;
    --timeout) timeout_sec=$2; shift 2 ;;
    --screenshot) final_shot=$2; shift 2 ;;
    --log) log_name=$2; shift 2 ;;
    --dpi) dpi=$2; shift 2 ;;
    --wine-frames) managed=N; shift ;;
    --windows-shell) windows_shell=1; shift ;;
    --session) session=1; shift; [ "${1:-}" = "--" ] && shift; break ;;
    --) shift; break ;;
    -*) die "unknown option $1" ;;
    *) break ;;
  esac
done

command=()
if [ $session -eq 1 ]; then
  [ $# -ge 1 ] || die "--session needs a command"
  command=("$@")
else
  [ $# -ge 2 ] || die "usage: wine-run.sh [options] <wine|wine64> <program.exe> [args...]"
  loader=$1; shift
  # Debian keeps the 64-bit loader out of PATH.
  if ! command -v "$loader" >/dev/null 2>&1 && [ -x "/usr/lib/wine/$loader" ]; then
    loader=/usr/lib/wine/$loader
  fi
  command -v "$loader" >/dev/null 2>&1 || die "no Wine loader '$loader'; run scripts/setup.sh"
  command=("$loader" "$@")
fi

# The build folder: given, or the first folder above the program (or here)
# that holds a CMake cache.
find_build() {
  local dir=$1
  while [ "$dir" != "/" ] && [ -n "$dir" ]; do
    [ -f "$dir/CMakeCache.txt" ] && { echo "$dir"; return 0; }
    dir=$(dirname "$dir")
  done
  return 1
}
if [ -z "$build" ]; then
  if [ $session -eq 0 ] && [ -e "${command[1]}" ]; then
    build=$(find_build "$(cd "$(dirname "${command[1]}")" && pwd)") || true
  fi
  [ -n "$build" ] || build=$(find_build "$PWD") || die "no build folder above ${command[1]:-$PWD}; use --build"
fi
build=$(cd "$build" && pwd) || die "no such build folder"

e2e=$build/e2e
mkdir -p "$e2e/logs"
# Each program's output is also kept, under its name and first argument.
if [ -z "$log_name" ] && [ $session -eq 0 ]; then
  log_name=$(basename "${command[1]}" .exe)
  case ${command[2]:-} in
    --gtest_filter=*) filter=${command[2]#--gtest_filter=}; log_name+=-${filter%.\*} ;;
    [A-Za-z0-9]*) log_name+=-${command[2]} ;;
  esac
  log_name=logs/$(echo "$log_name" | tr -c 'A-Za-z0-9_.\n-' '_')
fi
export WINEPREFIX=$build/wineprefix
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko download prompt: nothing of ours needs them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export ICOTRACE_E2E_DIR=$e2e
export ICOTRACE_E2E_DIR_WIN="Z:${e2e//\//\\}"

xvfb_pid=""
watch_pid=""
run_pid=""

stop_pid() {  # pid: TERM, a short grace, then KILL
  local pid=$1 i
  [ -n "$pid" ] || return 0
  kill -TERM "$pid" 2>/dev/null || return 0
  for i in $(seq 1 20); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; return 0; }
    sleep 0.1
  done
  kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  return 0
}

stop_wineserver() {
  # Every Windows process of this build's prefix, and its server.
  [ -d "$WINEPREFIX" ] || return 0
  wineserver -k >/dev/null 2>&1 9>&- || true
  timeout 15 wineserver -w >/dev/null 2>&1 9>&- || true
}

screenshot() {  # name
  [ -n "${DISPLAY:-}" ] || return 0
  timeout 20 import -window root "$e2e/$1.png" >/dev/null 2>&1 9>&- ||
    echo "wine-run: screenshot $1 failed" >&2
}

cleanup() {
  local status=$?
  trap - EXIT INT TERM HUP
  [ -n "$run_pid" ] && stop_pid "$run_pid"
  stop_wineserver
  stop_pid "$watch_pid"
  stop_pid "$xvfb_pid"
  exit $status
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

# One run at a time in this build folder: the runs share the prefix and its
# server, which must not be stopped under another run.
exec 9>"$e2e/.run.lock"
if ! flock -n 9; then
  echo "wine-run: waiting for another Wine run in $build" >&2
  flock -w "${ICOTRACE_WINE_LOCK_WAIT:-900}" 9 || die "another Wine run holds $build for too long"
fi

# A server left by an earlier run may still be bound to a display that is gone.
stop_wineserver

if [ -z "${DISPLAY:-}" ]; then
  command -v Xvfb >/dev/null || die "Xvfb is missing; run scripts/setup.sh"
  displayfile=$(mktemp)
  screen=${ICOTRACE_XVFB_SIZE:-1280x800x24}
  Xvfb -displayfd 8 -screen 0 "$screen" -nolisten tcp \
    8>"$displayfile" >"$e2e/xvfb.log" 2>&1 9>&- &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    [ -s "$displayfile" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  number=$(tr -dc '0-9' <"$displayfile")
  rm -f "$displayfile"
  [ -n "$number" ] || die "Xvfb did not start (see $e2e/xvfb.log)"
  export DISPLAY=:$number
  # Wine takes the screen's size when a program starts: only a display that
  # answers with the size asked for is used.
  size=${screen%x*}
  screen_ready() { [[ $(xdpyinfo 2>/dev/null 9>&-) =~ dimensions:\ +$size\ pixels ]]; }
  for _ in $(seq 1 100); do
    screen_ready && break
    sleep 0.1
  done
  screen_ready || die "the private display $DISPLAY does not show a $size screen"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine-run: making the Wine prefix $WINEPREFIX" >&2
  timeout 300 wineboot -i >"$e2e/wineboot.log" 2>&1 9>&- || die "wineboot failed (see $e2e/wineboot.log)"
  timeout 60 wineserver -w >/dev/null 2>&1 9>&- || true
fi
# Debian's Wine does not load the fonts of its fonts-wine package by itself:
# without Marlett the title bars show letters where their buttons' glyphs go.
# Marlett alone: the others (Tahoma) would take over the dialog font from
# DejaVu, which has the Greek and Cyrillic glyphs the demo's captions use.
fonts=$WINEPREFIX/drive_c/windows/Fonts
if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then
  cp /usr/share/wine/fonts/marlett.ttf "$fonts/" 2>/dev/null || true
fi

# The settings every Windows program of the run reads when it starts, in
# place before the first of them: a test and the program it drives must see
# the same DPI (it names the layout file) and the same frames.
wine_loader=${loader:-}
[ -n "$wine_loader" ] || wine_loader=$(command -v wine64 || echo /usr/lib/wine/wine64)
set_user_value() {  # key, name, type, data
  timeout 60 "$wine_loader" reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1 9>&- ||
    die "cannot set $1\\$2 in the Wine prefix"
}
set_user_value 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD "$dpi"
set_user_value 'HKCU\Software\Wine\X11 Driver' Managed REG_SZ "$managed"

# The item ID proxies, registered again whenever a build changes them.
register_proxies() {
  local dll loader stamp
  for dll in "${ICOTRACE_ITEM_ID_PROXIES:-}" "${ICOTRACE_ITEM_ID_PROXIES_32:-}" \
    "${ICOTRACE_ITEM_ID_PROXIES_64:-}"; do
    [ -f "$dll" ] || continue
    case $(od -An -tx1 -j "$(($(od -An -tu4 -j 60 -N 4 "$dll") + 24))" -N 2 "$dll" | tr -d ' ') in
      0b02) loader=/usr/lib/wine/wine64 ;;  # PE32+
      *) loader=/usr/lib/wine/wine ;;
    esac
    stamp=$WINEPREFIX/.proxies-$(echo "$dll" | md5sum | cut -c1-12)
    [ "$stamp" -nt "$dll" ] && continue
    timeout 60 "$loader" regsvr32 /s "$(winepath -w "$dll" 2>/dev/null 9>&-)" >/dev/null 2>&1 9>&- ||
      die "cannot register $dll in the Wine prefix"
    touch "$stamp"
  done
}
register_proxies

# Windows 10 1809+ or Wine's own shell: written only when the mode changes.
shell_mode=$WINEPREFIX/.shell-mode
wanted_mode=$([ $windows_shell -eq 1 ] && echo windows || echo wine)
if [ "$(cat "$shell_mode" 2>/dev/null)" != "$wanted_mode" ]; then
  window_list='{9BA05972-F6A8-11CF-A442-00A0C90A8F39}'
  stand_in='{6E0C7B3A-52D4-4C1F-8B9E-3D27A5F0C914}'  # tools/demo-desktop/demo_protocol.h
  regfile=$e2e/shell-mode.reg
  {
    echo REGEDIT4
    echo '[HKEY_CURRENT_USER\Software\Wine]'
    if [ $windows_shell -eq 1 ]; then echo '"Version"="win10"'; else echo '"Version"=-'; fi
    for classes in 'Software\Classes' 'Software\Classes\Wow6432Node'; do
      if [ $windows_shell -eq 1 ]; then
        echo "[HKEY_LOCAL_MACHINE\\$classes\\CLSID\\$window_list\\TreatAs]"
        echo "@=\"$stand_in\""
      else
        echo "[-HKEY_LOCAL_MACHINE\\$classes\\CLSID\\$window_list\\TreatAs]"
      fi
    done
  } >"$regfile"
  timeout 60 "$wine_loader" regedit /S "$(winepath -w "$regfile" 2>/dev/null 9>&-)" >/dev/null 2>&1 9>&- ||
    die "cannot set the shell's mode in the Wine prefix"
  echo "$wanted_mode" >"$shell_mode"
fi

# Screenshots on request, for the programs under test.
if [ -n "${DISPLAY:-}" ]; then
  (
    exec 9>&-
    shopt -s nullglob
    while :; do
      for request in "$e2e"/*.snap-request; do
        name=$(basename "$request" .snap-request)
        screenshot "$name"
        rm -f "$request"
      done
      sleep 0.2
    done
  ) &
  watch_pid=$!
fi

if [ -n "$log_name" ]; then
  timeout --kill-after=10 "$timeout_sec" "${command[@]}" > >(tee "$e2e/$log_name.log") 2>&1 9>&- &
else
  timeout --kill-after=10 "$timeout_sec" "${command[@]}" 9>&- &
fi
run_pid=$!
wait "$run_pid"
status=$?
run_pid=""
[ -n "$final_shot" ] && screenshot "$final_shot"
if [ $status -eq 124 ] || [ $status -eq 137 ]; then
  echo "wine-run: ${command[*]} did not finish within ${timeout_sec}s and was stopped" >&2
  status=124
fi
exit $status
