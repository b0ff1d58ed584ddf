#!/usr/bin/env bash
# Installs what the build and the tests need, from Debian's packages, and
# fetches the pinned SQLite amalgamation. Idempotent: when everything is
# there it checks and returns in well under a second.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  cmake make g++ googletest
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  wine wine32:i386 xvfb xdotool imagemagick x11-utils xclip fonts-liberation fonts-wine python3
  clang-format sqlite3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# npm fetches the pinned sources; a machine whose Node.js comes with its own
# npm must not get Debian's, which conflicts with it.
command -v npm >/dev/null 2>&1 || missing+=(npm)

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "setup: missing packages (${missing[*]}); run as root to install them" >&2
    exit 1
  fi
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The posix thread model of mingw-w64 is the one std::thread and GoogleTest need.
for tool in i686-w64-mingw32-gcc i686-w64-mingw32-g++; do
  if [ "$(readlink -f "$(command -v $tool)")" != "$(readlink -f /usr/bin/$tool-posix)" ]; then
    update-alternatives --set $tool /usr/bin/$tool-posix >/dev/null
  fi
done

"$here/scripts/fetch-sqlite.sh"
