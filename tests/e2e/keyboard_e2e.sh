#!/usr/bin/env bash
# The real tarvelo.exe driven with real keystrokes on the X display: start,
# Tab around the controls, open the Files menu, Alt+X; the exit code must be
# 0. Screenshots of the started window and of the open menu are kept in the
# build folder.
set -euo pipefail
source "$(dirname "$0")/common.sh" "$1"
cleanup() { [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

# The program's own windows: other tests may show windows of the same title.
window_up() { window=$(xdotool search --pid "$pid" --name "Search the Australian postcode database" 2>/dev/null | head -n 1) && [ -n "$window" ]; }
# Menus are windows of their own, without the process id that X knows of.
visible_windows() { { xdotool search --onlyvisible --classname tarvelo.exe 2>/dev/null || true; } | wc -l; }
menu_open() { [ "$(visible_windows)" -gt "$windows_before" ]; }
menu_closed() { [ "$(visible_windows)" -le "$windows_before" ]; }
window_gone() { ! xdotool search --pid "$pid" --name "Search the Australian postcode database" >/dev/null 2>&1; }

cd "$work"
wine "$build/tarvelo.exe" </dev/null >/dev/null 2>&1 &
pid=$!
wait_for window_up
wait_for test -f "$work/Database/Tarvelos v0.00.ptk"
# Wine's windows here have no window manager: a click on the caption is what
# makes one the active window, as it would for a person. The pointer then
# moves away from the controls, so that no balloon tip covers them.
activate() {
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + 150)) $((Y + 10)) click 1 mousemove 0 0
}
activate
sleep 0.3 # the first paint; the screenshot is for people, the checks below do not depend on it
import -window root "$shots/main-window.png"

# Round the four tab stops and back, typing on the way: none of it ends the program.
for key in Tab Tab Tab Tab shift+Tab shift+Tab Tab Tab 3 0 0 0 Return BackSpace; do
  xdotool key "$key"
done
windows_before=$(visible_windows)
activate
xdotool key F10 Down # the menu bar, then the Files menu open
wait_for menu_open
sleep 0.3
import -window root "$shots/files-menu.png"
xdotool key Escape Escape
wait_for menu_closed
kill -0 "$pid" # still running

activate
xdotool key alt+x
wait_for window_gone || { import -window root "$shots/keyboard-failure.png"; exit 1; }
status=0
wait "$pid" || status=$?
pid=
if [ "$status" != 0 ]; then
  echo "tarvelo.exe ended with exit code $status" >&2
  exit 1
fi
echo "tarvelo.exe ended with exit code 0; screenshots in $shots"
