#!/usr/bin/env bash
# Starts the built tarvelo.exe under Wine in run/, the folder whose
# Database\ keeps the postcode database between runs. Without an X display
# it uses a virtual one, saves a screenshot once the window is up and says
# where; the program runs until it is closed (Alt+X, or Ctrl+C here).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win32}
had_display=${DISPLAY:-}
source "$build/wine-env.sh"
tarvelo_wine_setup
mkdir -p "$root/run"
cd "$root/run"
echo "tarvelo: running in $root/run (database: $root/run/Database/Tarvelos v0.00.ptk)"
wine "$build/tarvelo.exe" </dev/null >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' INT TERM
if [ -z "$had_display" ] || [ "$had_display" != "$DISPLAY" ]; then
  for _ in $(seq 1 200); do
    if xdotool search --name "Search the Australian postcode database" >/dev/null 2>&1; then
      break
    fi
    sleep 0.1
  done
  sleep 0.5 # let the first paint finish
  import -window root "$root/run/screenshot.png"
  echo "tarvelo: no display of yours, so it runs on the virtual display $DISPLAY"
  echo "tarvelo: screenshot after start-up: $root/run/screenshot.png"
  echo "tarvelo: stop it with Ctrl+C"
fi
wait $pid
