#!/usr/bin/env bash
# Installs the Debian packages that building and testing Icotrace need, and
# only those that are missing, then the workflow checker's npm packages at the
# versions its lock file pins. Safe to run again. Needs root or sudo.
set -euo pipefail
cd "$(dirname "$0")/.."

want=(cmake g++ make googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev python3-pil
      g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
      wine wine64 wine32:i386 wine64-tools fonts-wine xvfb imagemagick x11-utils xauth)
# A Node.js from elsewhere (with its own npm) is kept: Debian's npm would
# not install beside it. A bare Debian gets Debian's.
command -v node >/dev/null && command -v npm >/dev/null || want+=(nodejs npm)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: run as root or install sudo" >&2; exit 1; }
  sudo_cmd=(sudo)
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  need_update=1
fi

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
elif [ -n "${need_update:-}" ]; then
  "${sudo_cmd[@]}" apt-get update -qq
fi
echo "setup: all packages present"

# GitHub's workflow parser for scripts/test.sh, exactly as locked; npm ci
# empties node_modules first, so the copy of the lock tells it is current.
checker=tools/workflow-check
if ! cmp -s "$checker/package-lock.json" "$checker/node_modules/.icotrace-lock" 2>/dev/null; then
  echo "setup: installing the workflow checker's npm packages"
  (cd "$checker" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
  cp "$checker/package-lock.json" "$checker/node_modules/.icotrace-lock"
fi
