#!/usr/bin/env bash
# Times the program's import of a postcode file against the sqlite3 shell's
# own ".import --csv" of the same file into a three-column table on the same
# machine, and prints both and their ratio. The program's side is a benchmark
# program that prints its time as the last field of a line ending in "ms":
# bench/import_bench (the import alone) or, in the Windows build,
# import_wine_bench.exe (the whole command through the real window and file
# dialog, from the dialog's end to the final message). Each is run five
# times; the fastest run counts, and the median is shown beside it. RUNNER,
# when set, starts the benchmark program: RUNNER=build/win32/wine-run times
# the Windows build under Wine.
# Usage: [RUNNER=...] bench/import_vs_sqlite.sh [IMPORT_BENCH] [FILE.csv]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bench=${1:-$here/build/native/import_bench}
file=${2:-$here/sample-data/pc-full.csv}
runs=5

[ -f "$bench" ] || { echo "import_vs_sqlite: no $bench (cmake --build build/native --target import_bench)" >&2; exit 1; }
bench=$(cd "$(dirname "$bench")" && pwd)/$(basename "$bench")
[ -f "$file" ] || { echo "import_vs_sqlite: no $file (make sample-data)" >&2; exit 1; }
command -v sqlite3 >/dev/null || { echo "import_vs_sqlite: sqlite3 shell missing" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
file=$(cd "$(dirname "$file")" && pwd)/$(basename "$file")

best() { sort -n | head -1; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# The program's import, timed inside the benchmark from the first statement
# to the final message.
ours_runs=$(for _ in $(seq $runs); do
  (cd "$work" && ${RUNNER:+"$RUNNER"} "$bench" "$file") | tr -d '\r' |
    sed -n 's/.* \([0-9.]*\) ms$/\1/p' | sed -n 1p
done)
ours=$(echo "$ours_runs" | best)
[ -n "$ours" ] || { echo "import_vs_sqlite: $bench printed no time" >&2; exit 1; }

# The shell's import, timed around the whole sqlite3 process (so including
# its start-up); the heading line is skipped, and the shell's complaint per
# line about the seven extra columns goes to /dev/null.
theirs_runs=$(for _ in $(seq $runs); do
  rm -f "$work/shell.db"
  start=$(date +%s%N)
  sqlite3 "$work/shell.db" "CREATE TABLE postcodes(postcode TEXT, suburb TEXT, state TEXT)" \
    ".import --csv --skip 1 '$file' postcodes" 2>/dev/null
  end=$(date +%s%N)
  awk -v ns=$((end - start)) 'BEGIN { printf "%.1f\n", ns / 1e6 }'
done)
theirs=$(echo "$theirs_runs" | best)
rows=$(sqlite3 "$work/shell.db" "SELECT count(*) FROM postcodes")

echo "import_vs_sqlite: $(basename "$file"), $rows rows, best of $runs runs (median)"
echo "  $(basename "$bench")${RUNNER:+ under $(basename "$RUNNER")}: $ours ms ($(echo "$ours_runs" | median) ms)"
echo "  sqlite3 .import --csv: $theirs ms ($(echo "$theirs_runs" | median) ms)"
echo "  ratio $(basename "$bench") / sqlite3: $(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.2f", a / b }')"
