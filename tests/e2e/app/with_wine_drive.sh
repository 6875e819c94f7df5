#!/usr/bin/env bash
# Runs a command with a drive letter of the current Wine prefix mapped to a
# folder, then takes the mapping away again. For the checks of a program that
# stands at the root of a drive; run inside scripts/wine-run.sh --session,
# which sets WINEPREFIX.
#   with_wine_drive.sh <letter> <folder> <wine|wine64> <program.exe> [args...]
# Exits 77 (skipped) when the letter is already taken by something else.
set -euo pipefail
[ $# -ge 4 ] || { echo "usage: with_wine_drive.sh <letter> <folder> <loader> <program> [args...]" >&2; exit 2; }
letter=$(echo "$1" | tr 'A-Z' 'a-z')
folder=$2
loader=$3
shift 3
: "${WINEPREFIX:?run inside scripts/wine-run.sh --session}"
# Debian keeps the 64-bit loader out of PATH.
if ! command -v "$loader" >/dev/null 2>&1 && [ -x "/usr/lib/wine/$loader" ]; then
  loader=/usr/lib/wine/$loader
fi
mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
link=$WINEPREFIX/dosdevices/$letter:
if [ -e "$link" ] || [ -L "$link" ]; then
  if [ "$(readlink "$link")" != "$folder" ]; then
    echo "with_wine_drive: drive $letter: is already $(readlink "$link")" >&2
    exit 77
  fi
fi
ln -sfn "$folder" "$link"
trap 'rm -f "$link"' EXIT
trap 'exit 143' TERM INT HUP
"$loader" "$@"
