#!/usr/bin/env bash
# muhtasar's print command on a virtual X display, driven by keyboard as a
# person would: Alt+Y without the payroll package opens muhtasar-print's
# preview, whose Ctrl+P has pagette print two pages on the CUPS PDF queue;
# with the payroll package's program present that one starts instead; with no
# print program at all the error box appears and the window goes on.
# Usage: print_under_xvfb.sh MUHTASAR_PROGRAM EXAMPLES_DIR
set -euo pipefail
program=$1
examples=$2
payroll=/vbmbord/vbmexe/vbmrun
preview_title="Muhtasar Beyanname - Baskı Önizleme"

skip() {
  echo "SKIP: $*"
  exit 77
}
fail() {
  echo "FAIL: $*"
  exit 1
}

for tool in Xvfb xdotool pdfinfo pdftoppm lpstat convert; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps installs it)"
done
[ "$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: *//p')" = PDF ] ||
  skip "the default printer is not the CUPS PDF queue (run under scripts/with-pdf-printer)"
pdf_folder="$HOME/PDF"
[ -e /vbmbord ] && skip "/vbmbord exists: the payroll package or someone's files are there"

work=$(mktemp -d)
number=200
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
  number=$((number + 1))
  [ "$number" -gt 229 ] && skip "no free X display number from 200 to 229"
done
Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
program_pid=""
preview_pid=""
made_vbmbord=0
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  [ -n "$preview_pid" ] && kill "$preview_pid" 2>/dev/null
  kill "$xvfb_pid" 2>/dev/null
  [ "$made_vbmbord" -eq 1 ] && rm -rf /vbmbord
  rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY=":$number"
for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$number" ] && break; sleep 0.1; done

# Starts muhtasar in a folder of its own and waits for its window.
start_muhtasar() {
  local folder=$1 executable=$2
  mkdir -p "$folder"
  cp "$examples/BORDMHT.DAT" "$folder/"
  (cd "$folder" && exec "$executable") >/dev/null 2>&1 &
  program_pid=$!
  window=$(xdotool search --sync --onlyvisible --name "VBM Muhtasar Beyanname" | head -1)
  xdotool windowfocus --sync "$window"
  sleep 0.3
}

stop_muhtasar() {
  xdotool windowfocus --sync "$window"
  xdotool key alt+k
  for _ in $(seq 1 50); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$program_pid" 2>/dev/null && fail "Alt+K did not end the program"
  wait "$program_pid" || fail "muhtasar ended with status $?"
  program_pid=""
}

# Waits up to 10 s for a visible window of a title; its id, or nothing.
await_window() {
  for _ in $(seq 1 100); do
    found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$found" ] && { echo "$found"; return; }
    sleep 0.1
  done
}

# The darkest grey (0 black .. 255 white) around a point in twips of a PDF page.
darkest_around() {
  local pdf=$1 page=$2 x=$3 y=$4
  pdftoppm -gray -r 72 -f "$page" -l "$page" "$pdf" "$work/page"
  # At 72 dots per inch a dot is 20 twips; a square of 7 dots around the point.
  # ImageMagick's own names (minima) break on the Turkish dotless i: it measures
  # in the C locale, whatever the programs under test run in.
  LC_ALL=C convert "$work"/page*.pgm -crop "7x7+$((x / 20 - 3))+$((y / 20 - 3))" +repage \
    -format "%[fx:round(255*minima)]" info:-
  rm -f "$work"/page*.pgm
}

# 1. No payroll program: the preview opens; Ctrl+P prints through pagette.
start_muhtasar "$work/own" "$program"
touch "$work/before-print"
xdotool key alt+y
preview=$(await_window "$preview_title")
[ -n "$preview" ] || fail "Alt+Y did not open the print preview"
preview_pid=$(xdotool getwindowpid "$preview")
[ "$(grep -c '' "$work/own/BORDMHT1.DAT")" -eq 548 ] || fail "the print file has not 548 lines"
xdotool windowfocus --sync "$preview"
sleep 0.5
xdotool key ctrl+p
pdf=""
for _ in $(seq 1 200); do
  pdf=$(find "$pdf_folder" -maxdepth 1 -name 'muhtasar-print-*' -newer "$work/before-print" 2>/dev/null | head -1)
  [ -n "$pdf" ] && [ "$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Pages: *//p')" = 2 ] && break
  sleep 0.1
done
[ -n "$pdf" ] || fail "Ctrl+P in the preview sent nothing to the PDF queue"
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
[ "$pages" = 2 ] || fail "the printed declaration has $pages pages, not 2"
# The authority box at the top left of page 1 is filled; Table III's heading
# box stands on page 2 below the taxpayer's line; the middle of page 2 is empty paper.
[ "$(darkest_around "$pdf" 1 1620 1016)" -lt 100 ] || fail "page 1 lacks the authority box"
[ "$(darkest_around "$pdf" 2 645 904)" -lt 160 ] || fail "page 2 lacks Table III's heading box"
[ "$(darkest_around "$pdf" 2 6000 9000)" -eq 255 ] || fail "page 2 has marks in its empty middle"
rm -f "$pdf"
xdotool key Escape
for _ in $(seq 1 50); do kill -0 "$preview_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$preview_pid" 2>/dev/null && fail "Esc did not close the preview"
preview_pid=""
stop_muhtasar

# 2. The payroll package's program present: it starts, the preview does not.
mkdir -p /vbmbord/vbmexe
made_vbmbord=1
printf '#!/bin/sh\npwd -P > "%s"\n' "$work/payroll-ran" > "$payroll"
chmod +x "$payroll"
start_muhtasar "$work/payroll" "$program"
xdotool key alt+y
for _ in $(seq 1 100); do [ -s "$work/payroll-ran" ] && break; sleep 0.1; done
[ "$(cat "$work/payroll-ran" 2>/dev/null)" = "$(cd "$work/payroll" && pwd -P)" ] ||
  fail "the payroll package's program did not start in muhtasar's folder"
sleep 1
[ -z "$(xdotool search --name "$preview_title" 2>/dev/null)" ] || fail "the preview opened as well"
stop_muhtasar
rm -rf /vbmbord
made_vbmbord=0

# 3. Neither program: muhtasar alone in a folder, without muhtasar-print beside it.
mkdir -p "$work/alone"
cp "$program" "$work/alone/muhtasar"
start_muhtasar "$work/alone/run" "$work/alone/muhtasar"
xdotool key alt+y
error_box=$(await_window "Varlen Bilgi")
[ -n "$error_box" ] || fail "no error box when no print program can be started"
[ -f "$work/alone/run/BORDMHT1.DAT" ] || fail "the print file was not kept"
xdotool windowfocus --sync "$error_box"
xdotool key Return
sleep 0.3
[ -z "$(xdotool search --onlyvisible --name "Varlen Bilgi" 2>/dev/null)" ] || fail "the error box stayed"
xdotool windowfocus --sync "$window"
xdotool type --delay 20 "Z"
stop_muhtasar
grep -a -q "^Edit1=Z" "$work/alone/run/muhtasar.ini" || fail "the window did not go on after the error"
echo "PASS"
