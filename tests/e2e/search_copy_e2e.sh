#!/usr/bin/env bash
# The real tarvelo.exe searched and copied from with real input on the X
# display: on a database of a few rows, choose the Suburb field, type a text,
# press Return, double-click the first row and read the clipboard back from
# X; then the same for a suburb with an apostrophe; Alt+X, exit code 0. A
# screenshot of the filled list is kept in the build folder.
set -euo pipefail
source "$(dirname "$0")/common.sh" "$1"
cleanup() {
  local status=$?
  # What the screen showed when a check failed.
  [ $status != 0 ] && import -window root "$shots/search-failed.png" 2>/dev/null
  local process
  for process in ${pid:-} ${program:-} ${holder:-}; do kill "$process" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Other programs may show the same window on the display: ours is the one
# whose process runs in this script's folder.
window_up() {
  local id process
  for id in $(xdotool search --name "Search the Australian postcode database" 2>/dev/null); do
    process=$(xdotool getwindowpid "$id" 2>/dev/null) || continue
    if [ "$(readlink "/proc/$process/cwd")" = "$work" ]; then
      window=$id
      program=$process
      return 0
    fi
  done
  return 1
}
window_gone() { ! xwininfo -id "$window" >/dev/null 2>&1; }
# Our window on top and holding the keyboard focus, before each input.
focus_ours() { xdotool windowraise "$window" windowfocus --sync "$window"; }
# Our window, on top of any other, is under the mouse at x, y.
ours_under_mouse() {
  xdotool windowraise "$window" mousemove "$1" "$2"
  eval "$(xdotool getmouselocation --shell)"
  [ "$WINDOW" = "$window" ]
}
clipboard() { timeout 5 xclip -o -selection clipboard 2>/dev/null || true; }
clipboard_is() { [ "$(clipboard)" = "$1" ]; }

# Puts a text of this script's own on the X clipboard, so that what is read
# afterwards can only come from the copy that follows. xclip serves it until
# the program takes the clipboard over.
put_on_clipboard() {
  if [ -n "${holder:-}" ]; then kill "$holder" 2>/dev/null || true; fi
  printf '%s' "$1" | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
  holder=$!
  wait_for clipboard_is "$1"
}

# The screen position of the middle of the first row of the result list,
# found by its TagIcon: across, the client area starts one frame width in
# (the window is its 600-pixel client area and two frames wide), the list 15
# pixels further and its icons 2 pixels inside its border; down, the first
# run of the icon's yellow (red well above blue) in the column through the
# icons, which only the rows have, is the first row's icon.
first_row_position() {
  eval "$(xdotool getwindowgeometry --shell "$window")"
  local frame=$(((WIDTH - 600) / 2))
  local x=$((X + frame + 15 + 2 + 8))
  xdotool windowraise "$window"
  import -window root "$work/screen.png"
  local rows
  rows=$(convert "$work/screen.png" -crop "1x$HEIGHT+$x+$Y" +repage -depth 8 txt:- |
    awk -F'[(),]' 'NR > 1 { y = $2 + 0; if ($3 - $5 > 100) { if (top < 0) top = y; else if (y != last + 1) exit; last = y } else if (top >= 0) exit }
                   BEGIN { top = -1 } END { if (top >= 0) print top, last }')
  [ -n "$rows" ] || return 1
  local top last
  read -r top last <<<"$rows"
  row_x=$((X + frame + 15 + 60))
  row_y=$((Y + (top + last) / 2))
}

search_and_copy_first_row() { # text, expected clipboard line
  focus_ours
  xdotool key --clearmodifiers End shift+Home BackSpace
  xdotool type --delay 30 "$1"
  xdotool key Return
  wait_for first_row_position
  put_on_clipboard "before the copy of $1"
  wait_for ours_under_mouse "$row_x" "$row_y"
  xdotool click --repeat 2 --delay 60 1
  if ! wait_for clipboard_is "$2"; then
    echo "clipboard after double-clicking the first row for '$1': '$(clipboard)', expected '$2'" >&2
    return 1
  fi
  xdotool mousemove 0 0
}

mkdir "$work/Database"
sqlite3 "$work/Database/Tarvelos v0.00.ptk" <<'SQL'
CREATE TABLE IF NOT EXISTS postcodes(postcode TEXT, suburb TEXT, state TEXT);
INSERT INTO postcodes VALUES('3205', 'SOUTH MELBOURNE', 'VIC');
INSERT INTO postcodes VALUES('3000', 'MELBOURNE', 'VIC');
INSERT INTO postcodes VALUES('3207', 'PORT MELBOURNE', 'VIC');
INSERT INTO postcodes VALUES('2000', 'SYDNEY', 'NSW');
INSERT INTO postcodes VALUES('2602', 'O''CONNOR', 'ACT');
INSERT INTO postcodes VALUES('6014', 'O''CONNOR', 'WA');
SQL

cd "$work"
wine "$build/tarvelo.exe" </dev/null >/dev/null 2>&1 &
pid=$!
wait_for window_up
xdotool mousemove 0 0 # away from the controls, so that no balloon tip covers them
focus_ours

# From the search text back to the field list, two entries down to Suburb,
# and back to the search text. Sorted by suburb, MELBOURNE comes first,
# though it was stored second.
xdotool key shift+Tab Down Down Tab
search_and_copy_first_row MELB "MELBOURNE  VIC  3000"
sleep 0.3 # the screenshot, of the list and the copy's confirmation, is for people
xdotool windowraise "$window"
import -window root "$shots/search.png"

# The double click left the focus in the list; the search text is one
# Shift+Tab back. The apostrophe is shown and copied as stored; ACT sorts
# before WA.
focus_ours
xdotool key shift+Tab
search_and_copy_first_row "O'CONNOR" "O'CONNOR  ACT  2602"
kill -0 "$pid" # still running

focus_ours
xdotool key alt+x
wait_for window_gone
status=0
wait "$pid" || status=$?
pid=
program=
if [ "$status" != 0 ]; then
  echo "tarvelo.exe ended with exit code $status" >&2
  exit 1
fi
echo "tarvelo.exe ended with exit code 0; screenshot in $shots/search.png"
