#!/usr/bin/env bash
# Fetches the SQLite amalgamation that both builds compile, from the npm
# package better-sqlite3 (which carries sqlite3.c and sqlite3.h unchanged),
# verifies the tarball against its pinned checksum and unpacks the two files
# into .cache/sqlite. Nothing here is committed.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cache="$here/.cache/sqlite"
package=better-sqlite3@12.11.1
tarball=better-sqlite3-12.11.1.tgz
sha256=ebf0ed75a7a59dbcb3b24bbd014ef49d9f15bc328e4adcbf516f2a8fadfa2835

if [ -f "$cache/sqlite3.c" ] && [ -f "$cache/sqlite3.h" ] && [ -f "$cache/.verified-$sha256" ]; then
  exit 0
fi

mkdir -p "$cache"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
(cd "$tmp" && npm pack --silent "$package" >/dev/null)
actual=$(sha256sum "$tmp/$tarball" | cut -d' ' -f1)
if [ "$actual" != "$sha256" ]; then
  echo "fetch-sqlite: checksum mismatch for $tarball: expected $sha256, got $actual" >&2
  exit 1
fi
tar -xzf "$tmp/$tarball" -C "$tmp" package/deps/sqlite3/sqlite3.c package/deps/sqlite3/sqlite3.h
rm -f "$cache"/.verified-*
mv "$tmp/package/deps/sqlite3/sqlite3.c" "$tmp/package/deps/sqlite3/sqlite3.h" "$cache/"
touch "$cache/.verified-$sha256"
echo "fetch-sqlite: SQLite $(grep -m1 '#define SQLITE_VERSION ' "$cache/sqlite3.h" | awk '{print $3}') in $cache"
