#!/usr/bin/env bash
# The real program on a virtual X display with the Turkish keyboard layout,
# once in the C locale and once in the Turkish one: the same keys type Turkish
# letters into a text field and an amount on the number row, Alt+Y writes the
# print file and Alt+K saves. Both runs leave the same store and print file,
# byte for byte, and the letters are stored in code page 1254.
# Both are the expected files that the Windows window's keyboard test meets too.
# Usage: turkish_keyboard_under_xvfb.sh MUHTASAR_PROGRAM EXAMPLES_DIR EXPECTED_FRESH_STORE KEYS_DIR
#        PRINT_PROGRAM_STAND_IN
set -euo pipefail
program=$1
examples=$2
fresh_store=$3
expected=$4
stand_in=$5

. "$(dirname "$0")/../support/declaration_keys.sh"
require_keyboard_tools
locale -a | grep -ix 'tr_TR.utf8' >/dev/null || fail "no tr_TR.UTF-8 locale (scripts/install-deps generates it)"

. "$(dirname "$0")/../support/xvfb_display.sh"
# Without -noreset the layout is lost whenever the last client leaves.
start_xvfb 140 -noreset
setxkbmap tr || fail "setxkbmap tr"

# muhtasar with the stand-in as its print program, which ends at once.
mkdir -p "$work/alone"
cp "$program" "$work/alone/muhtasar"
cp "$stand_in" "$work/alone/muhtasar-print"
touch "$work/alone/go"

for locale in C.UTF-8 tr_TR.UTF-8; do
  folder="$work/$locale"
  mkdir -p "$folder"
  cp "$examples/BORDMHT.DAT" "$folder/"
  (cd "$folder" && LANG=$locale LC_ALL=$locale exec "$work/alone/muhtasar") >/dev/null 2>&1 &
  program_pid=$!
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name "VBM Muhtasar Beyanname" | head -1) || true
  [ -n "$wid" ] || fail "$locale: the window did not open on the display $DISPLAY"
  type_declaration_keys "$locale" "$wid" "$work/alone"
  await_program_end "$locale: "
  [ "$(grep -c '' "$folder/BORDMHT1.DAT")" -eq 548 ] || fail "$locale: the print file has not 548 lines"
done

c="$work/C.UTF-8"
tr="$work/tr_TR.UTF-8"
cmp "$c/muhtasar.ini" "$tr/muhtasar.ini" || fail "the stores of the two locales differ"
cmp "$c/BORDMHT1.DAT" "$tr/BORDMHT1.DAT" || fail "the print files of the two locales differ"
cmp "$c/muhtasar.ini" "$expected/muhtasar.ini" || fail "the store is not the expected one"
cmp "$c/BORDMHT1.DAT" "$expected/BORDMHT1.DAT" || fail "the print file is not the expected one"
store="$tr/muhtasar.ini"
expect() {
  grep -a -q -x -F "$1"$'\r' "$store" || grep -a -q -x -F "$1" "$store" || fail "the store lacks $1"
}
# Ç Ğ İ Ö Ş Ü, blank, ç ğ ı i ö ş ü in code page 1254, before the sample's "KADIKÖY".
expect $'Edit1=\xC7\xD0\xDD\xD6\xDE\xDC \xE7\xF0\xFDi\xF6\xFE\xFC KADIK\xD6Y'
expect "MaskEdit148=123,456,789.50"
# The amounts filled at start read as they do in the C locale.
expect "$(grep -a '^MaskEdit1=' "$fresh_store" | tr -d '\r')"
echo "PASS"
