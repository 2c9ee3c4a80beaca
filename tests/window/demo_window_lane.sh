#!/usr/bin/env bash
# The demo in a real X window (Xvfb with openbox), driven by real X input: the first page and a
# resized one fit the list (no half row, no scroll bar, in the demo's own report and in the
# screenshots), a heading, a row, Enter and a page number reach the host, and typing in the
# search-column combo while its list is open completes.
#   demo_window_lane.sh DEMO WORK_DIR
set -uo pipefail
demo=$1
work=$2
skip=77

for tool in Xvfb openbox xdotool import convert; do
  if ! command -v "$tool" > /dev/null 2>&1; then
    echo "window lane skipped: $tool is missing (scripts/install-deps.sh installs Xvfb, openbox, xdotool, ImageMagick)"
    exit $skip
  fi
done

rm -rf "$work"
mkdir -p "$work"
log=$work/demo.log
pids=()
finish() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2> /dev/null; done
  wait 2> /dev/null
}
trap finish EXIT
fail() {
  echo "FAIL: $*"
  import -window root "$work/failed.png" 2> /dev/null
  echo "--- demo output"
  cat "$log"
  exit 1
}

# Waits up to 10 s for a new line of the demo matching `pattern` after line `from`; prints it.
wait_line() {
  local from=$1 pattern=$2 line
  for _ in $(seq 100); do
    line=$(tail -n +"$((from + 1))" "$log" | grep -m1 -E "$pattern") && { echo "$line"; return 0; }
    sleep 0.1
  done
  return 1
}
lines() { wc -l < "$log"; }
# The centre of child `name` from the last places the demo printed.
place() { awk -v name="$1" '$1 == "at" && $2 == name { where = $3 " " $4 } END { print where }' "$log"; }

# Whether the screenshot's strip along the list's right edge is plain: a vertical scroll bar,
# there when a row is cut, draws its groove and handle in other colours.
plain_right_edge() {
  local shot=$1 x y w h colours
  read -r x y w h < <(grep "^at list " "$log" | tail -1 | cut -d' ' -f3-)
  colours=$(convert "$shot" -crop "6x$((h - 8))+$((x + w - 8))+$((y + 4))" +repage -unique-colors -format %w info:)
  [ "$colours" -le 2 ]
}

exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(head -1 "$work/display")
openbox > "$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

# Its own sample, settings and remembered widths, nothing of the user's.
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
QT_QPA_PLATFORM=xcb "$demo" --state > "$log" 2> "$work/demo.err" &
pids+=($!)
window=$(timeout 30 xdotool search --sync --name "Tessaro demo" | head -1)
[ -n "$window" ] || fail "no demo window"

first=$(wait_line 0 '^page ') || fail "no first page"
sleep 0.5
import -window "$window" "$work/first.png"
[[ $first == *"fits yes"* ]] || fail "the first page does not fit: $first"
plain_right_edge "$work/first.png" || fail "the first page shows a scroll bar (first.png)"

mark=$(lines)
xdotool windowsize --sync "$window" 1000 650
resized=$(wait_line "$mark" '^page ') || fail "no refit after the resize"
sleep 0.5
import -window "$window" "$work/resized.png"
[[ $resized == *"fits yes"* ]] || fail "the resized page does not fit: $resized"
plain_right_edge "$work/resized.png" || fail "the resized page shows a scroll bar (resized.png)"

# A heading sorts the page; a row shows its key, Enter on the next row that row's key.
mark=$(lines)
xdotool mousemove --window "$window" $(place heading) click 1
sleep 0.3
xdotool mousemove --window "$window" $(place row) click 1
clicked=$(wait_line "$mark" '^status "Key') || fail "a clicked row shows no key"
mark=$(lines)
xdotool key Down Return
entered=$(wait_line "$mark" '^status "Key') || fail "Enter shows no key"
[ "$entered" != "$clicked" ] || fail "Enter showed the clicked row's key: $entered"

sleep 0.3
mark=$(lines)
xdotool mousemove --window "$window" $(place 'lblPag(2)') click 1
second=$(wait_line "$mark" '^page 2 ') || fail "page 2 did not load"
[[ $second == *"fits yes"* ]] || fail "page 2 does not fit: $second"
wait_line "$mark" '^status ""' > /dev/null || fail "the key stays after the page change"

# Shift+Tab from the search text focuses the combo, which drops its list open.
xdotool mousemove --window "$window" $(place txtRicerca) click 1
sleep 0.3
mark=$(lines)
xdotool key shift+Tab
sleep 0.6
xdotool type --delay 100 q
wait_line "$mark" '^search column "Quantit' > /dev/null || fail "typing with the list open chose nothing"
mark=$(lines)
xdotool key ctrl+a
xdotool type --delay 100 im
wait_line "$mark" '^search column "Importo"' > /dev/null || fail "Ctrl+A and typing did not choose Importo"
import -window "$window" "$work/combo.png"
echo "window lane passed: $first / $resized / $second; screenshots in $work"
