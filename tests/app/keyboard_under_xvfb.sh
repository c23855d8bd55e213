#!/usr/bin/env bash
# The real program on a virtual X display, operated by keyboard alone the way
# a person would: type, Tab and Enter through the fields, Alt+K to leave. The
# declaration saved on close shows where every key went.
# Usage: keyboard_under_xvfb.sh MUHTASAR_PROGRAM EXAMPLES_DIR
set -euo pipefail
program=$1
examples=$2

for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/install-deps installs it)"
    exit 77
  fi
done

. "$(dirname "$0")/../support/xvfb_display.sh"
start_xvfb 120

cp "$examples/BORDMHT.DAT" "$work/"
(cd "$work" && exec "$program") >/dev/null 2>&1 &
program_pid=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name "VBM Muhtasar Beyanname" | head -1) || true
if [ -z "$wid" ]; then
  echo "FAIL: the window did not open on the display $DISPLAY"
  exit 1
fi
xdotool windowfocus --sync "$wid"
sleep 0.3

fail() {
  echo "FAIL: $*"
  exit 1
}

# Edit1 has the focus at start, the caret before its text.
xdotool type --delay 20 "A"
xdotool key Tab            # Edit3
xdotool type --delay 20 "B"
xdotool key Return         # Edit4
xdotool type --delay 20 "C"
xdotool key shift+Tab shift+Tab shift+Tab  # back over Edit3 and Edit1 to the last field
xdotool type --delay 20 "7"                # MaskEdit148
xdotool key Tab            # wraps to Edit1
xdotool key End
xdotool type --delay 20 "D"
xdotool key Tab Tab Tab    # Edit6
xdotool key Return Return  # Edit5_1, Edit5_2
xdotool type --delay 20 "x9"
xdotool key alt+k
await_program_end

store="$work/muhtasar.ini"
expect() {
  grep -a -q -x -F "$1"$'\r' "$store" || grep -a -q -x -F "$1" "$store" || fail "the store lacks $1"
}
expect $'Edit1=AKADIK\xD6YD'
expect "Edit3=B4630127895"
expect "Edit4=C"
expect "MaskEdit148=7__,___,___.__"
expect "Edit5_2=x9216"
echo "PASS"
