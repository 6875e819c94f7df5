#!/usr/bin/env bash
# Makes the two release archives, Icotrace-<version>-x64.zip and -x86.zip, and
# checks what each holds: Icotrace.exe, InterprocessImageList.dll and
# LISEZMOI.txt, nothing else; both programs of the right architecture, the
# MinGW runtime linked in, the library's two exports present, the text in
# Windows-1252 with CR LF.
#
#   scripts/release.sh
#       builds both flavours with MinGW-w64 (in build/release-x64 and
#       build/release-x86), packs them with cpack, leaves the archives in
#       build/release/.
#   scripts/release.sh --pack <x64 build> <x86 build> <output folder>
#       packs and checks two build folders that are already built (what
#       scripts/test.sh does with build/win64 and build/win32).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${ICOTRACE_JOBS:-2}

die() {
  echo "release: $*" >&2
  exit 1
}

# The archive of one build folder: cpack in a scratch folder, then checked.
pack() {  # build folder, architecture (x64|x86), output folder
  local build=$1 arch=$2 out=$3
  [ -f "$build/CPackConfig.cmake" ] || die "$build is not a configured Windows build"
  local scratch=$out/.cpack-$arch
  rm -rf "$scratch"
  mkdir -p "$scratch"
  cpack --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch.log" 2>&1 ||
    { cat "$scratch.log"; die "cpack failed in $build"; }
  local zip
  zip=$(find "$scratch" -maxdepth 1 -name "Icotrace-*-$arch.zip" -print -quit)
  [ -n "$zip" ] || { cat "$scratch.log"; die "cpack made no Icotrace-*-$arch.zip in $scratch"; }
  mv -f "$zip" "$out/"
  rm -rf "$scratch" "$scratch.log"
  check "$out/$(basename "$zip")" "$arch"
}

check() {  # archive, architecture
  local zip=$1 arch=$2 format expected
  local top
  top=$(basename "$zip" .zip)
  case $arch in
    x64) format=pei-x86-64 ;;
    x86) format=pei-i386 ;;
    *) die "unknown architecture $arch" ;;
  esac

  echo "== $(basename "$zip")"
  unzip -l "$zip" | sed 's/^/  /'
  expected=$(printf '%s\n' "$top/Icotrace.exe" "$top/InterprocessImageList.dll" "$top/LISEZMOI.txt")
  [ "$(unzip -Z1 "$zip" | sed '/\/$/d' | sort)" = "$expected" ] ||
    die "$zip should hold exactly Icotrace.exe, InterprocessImageList.dll and LISEZMOI.txt"

  local unpacked
  unpacked=$(dirname "$zip")/.unpacked-$arch
  rm -rf "$unpacked"
  unzip -q "$zip" -d "$unpacked"
  local exe=$unpacked/$top/Icotrace.exe dll=$unpacked/$top/InterprocessImageList.dll
  # Whole outputs first: grep -q would cut a pipe short (pipefail).
  local binary headers
  for binary in "$exe" "$dll"; do
    headers=$(objdump -f -p "$binary")
    grep -q "file format $format\$" <<<"$headers" ||
      die "$(basename "$binary") in $zip is not $format: $(grep -m1 'file format' <<<"$headers")"
    # A bare Windows has no MinGW runtime DLL to offer.
    if grep -iqE 'DLL Name: *(libstdc\+\+|libgcc|libwinpthread)' <<<"$headers"; then
      die "$(basename "$binary") in $zip needs a MinGW runtime DLL"
    fi
  done
  grep -q 'DLL Name: InterprocessImageList.dll' <<<"$(objdump -p "$exe")" ||
    die "Icotrace.exe in $zip does not import InterprocessImageList.dll"
  headers=$(objdump -p "$dll")
  local symbol
  for symbol in GetIcon UninstallHook; do
    grep -qE "\] $symbol\$" <<<"$headers" || die "InterprocessImageList.dll in $zip does not export $symbol"
  done

  local text=$unpacked/$top/LISEZMOI.txt
  # Every line ends in CR LF, and no UTF-8 accent is left (0xC3 is "Ã").
  [ "$(grep -c $'\r$' "$text")" -eq "$(wc -l <"$text")" ] || die "LISEZMOI.txt in $zip is not CR LF"
  ! LC_ALL=C grep -q $'\xc3' "$text" || die "LISEZMOI.txt in $zip is still UTF-8"
  LC_ALL=C grep -q $'ic\xf4ne' "$text" || die "LISEZMOI.txt in $zip is not Windows-1252"
  rm -rf "$unpacked"
  echo "  $format, no MinGW runtime DLL, GetIcon and UninstallHook exported, LISEZMOI.txt in Windows-1252 CR LF"
}

if [ "${1:-}" = "--pack" ]; then
  [ $# -eq 4 ] || die "usage: scripts/release.sh --pack <x64 build> <x86 build> <output folder>"
  mkdir -p "$4"
  pack "$2" x64 "$4"
  pack "$3" x86 "$4"
  exit 0
fi
[ $# -eq 0 ] || die "usage: scripts/release.sh [--pack <x64 build> <x86 build> <output folder>]"

mkdir -p build/release
for flavour in x64:mingw-x86_64 x86:mingw-i686; do
  arch=${flavour%%:*}
  dir=build/release-$arch
  echo "== build $arch in $dir"
  # The optimisation the tests run (-O2; cpack strips the debug information).
  # Only the two files that ship are built: 'install' need not wait for the
  # test programs and the demo desktop.
  cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/${flavour#*:}.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DICOTRACE_BENCH=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
    >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; die "configure failed"; }
  cmake --build "$dir" -j "$jobs" --target Icotrace InterprocessImageList
done
pack build/release-x64 x64 build/release
pack build/release-x86 x86 build/release
echo "release: archives in build/release/"
ls -l build/release/*.zip
