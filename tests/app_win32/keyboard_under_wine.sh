#!/usr/bin/env bash
# muhtasar.exe under Wine on a virtual X display with the Turkish keyboard
# layout, driven by the same keys as the Linux window's keyboard test: it must
# leave the same store and print file, byte for byte. Runs in the Wine prefix
# of scripts/run-windows-tests (no window manager).
# Usage: keyboard_under_wine.sh MUHTASAR_EXE EXAMPLES_DIR KEYS_DIR PRINT_PROGRAM_STAND_IN_EXE
set -euo pipefail
exe=$1
examples=$2
expected=$3
stand_in=$4
. "$(dirname "$0")/../support/declaration_keys.sh"
require_keyboard_tools
wine_dir=/usr/lib/wine
[ -x "$wine_dir/wine64" ] || wine_dir=$(dirname "$(command -v wine64)")

. "$(dirname "$0")/../support/xvfb_display.sh"
start_xvfb 160 -noreset
# Before Wine starts: Wine takes the keyboard layout once.
setxkbmap tr || fail "setxkbmap tr"
"$wine_dir/wineserver" -k 2>/dev/null || true

# muhtasar.exe with the stand-in as its print program, which ends at once.
mkdir -p "$work/alone" "$work/run"
cp "$exe" "$work/alone/muhtasar.exe"
cp "$stand_in" "$work/alone/muhtasar-print.exe"
touch "$work/alone/go"
cp "$examples/BORDMHT.DAT" "$work/run/"
(cd "$work/run" && exec "$wine_dir/wine64" "$work/alone/muhtasar.exe") >/dev/null 2>&1 &
program_pid=$!
wid=$(timeout 60 xdotool search --sync --onlyvisible --name "VBM Muhtasar Beyanname" | head -1) || true
[ -n "$wid" ] || fail "the window did not open on the display $DISPLAY"
# The application's own window (the taskbar entry) has no size: nothing of the
# application's title, which the error boxes carry, stands on the display.
if xdotool search --onlyvisible --name "Varlen Bilgi" >/dev/null 2>&1; then
  fail "a window titled as the error boxes stands on the display"
fi
type_declaration_keys wine "$wid" "$work/alone"
for _ in $(seq 1 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program_pid" 2>/dev/null && fail "Alt+K did not end the program"
program_pid=""
cmp "$work/run/muhtasar.ini" "$expected/muhtasar.ini" || fail "the store differs from the Linux window's"
cmp "$work/run/BORDMHT1.DAT" "$expected/BORDMHT1.DAT" || fail "the print file differs from the Linux window's"
echo "PASS"
