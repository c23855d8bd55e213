# Sourced by the keyboard tests of both windows: the keys a person types into
# the sample declaration, on the Turkish layout, and the files they leave.
# Edit1 has the focus, the caret before its text. Shift+Tab goes back to the
# last field, the payee list's last amount, and Tab comes round to Edit1
# again; Enter moves on through the taxpayer block to Edit7 (the first name);
# 48 Tabs reach January's month box, which Space ticks. Alt+D carries over,
# and with no previous period says so in the "Dikkat" box; Alt+Y writes the
# print file and starts the print program beside the window's program, the
# stand-in of the tests, which records how it was started in the folder $3 and
# ends (or the function $4, given the run and $3, sees to the real one); Alt+K
# saves. Needs a window id; $1 names the run.
fail() {
  echo "FAIL: $*"
  keep_screenshot "${0##*/}"
  exit 1
}

# A failing window test keeps a picture of its display in
# $MUHTASAR_SCREENSHOT_DIR (the scripts set it beside their logs), so that the
# failure explains itself.
keep_screenshot() {
  [ -n "${DISPLAY:-}" ] && [ -n "${MUHTASAR_SCREENSHOT_DIR:-}" ] || return 0
  command -v import >/dev/null || return 0
  mkdir -p "$MUHTASAR_SCREENSHOT_DIR"
  local shot
  shot="$MUHTASAR_SCREENSHOT_DIR/${1%.sh}-$(date +%H%M%S).png"
  import -window root "$shot" 2>/dev/null && echo "The display at that moment: $shot"
  return 0
}

# Skips the test (status 77) where it cannot drive a window as a person would,
# or where the payroll package's own print program would take the print.
require_keyboard_tools() {
  for tool in Xvfb xdotool setxkbmap; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/install-deps installs it)"; exit 77; }
  done
  [ -e /vbmbord ] && { echo "SKIP: /vbmbord exists: the payroll package would print"; exit 77; }
  return 0
}

type_declaration_keys() {
  local run=$1 wid=$2 records=$3 await_print_program=${4:-await_stand_in}
  xdotool windowfocus --sync "$wid"
  sleep 0.3
  xdotool type --delay 30 "ÇĞİÖŞÜ çğıiöşü "
  xdotool key shift+Tab
  xdotool type --delay 30 "123456789.50"
  xdotool key Tab
  xdotool key --delay 30 Return Return Return Return Return Return Return
  xdotool type --delay 30 "Ayşe Gül"
  xdotool key --delay 20 --repeat 48 Tab
  xdotool key space
  xdotool key alt+d
  answer_box "$run" "Dikkat" "Alt+D did not end with the notice"
  xdotool windowfocus --sync "$wid"
  xdotool key alt+y
  "$await_print_program" "$run" "$records"
  xdotool windowfocus --sync "$wid"
  xdotool key alt+k
}

await_stand_in() {
  local run=$1 records=$2
  for _ in $(seq 1 300); do
    [ -e "$records/done" ] && break
    sleep 0.1
  done
  [ -e "$records/done" ] || fail "$run: Alt+Y did not start the print program"
  rm -f "$records/cwd" "$records/command line" "$records/done"
}

# Waits for the message box of that title and closes it with Enter.
answer_box() {
  local run=$1 title=$2 why=$3 box=""
  for _ in $(seq 1 300); do
    box=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -1 || true)
    [ -n "$box" ] && break
    sleep 0.1
  done
  [ -n "$box" ] || fail "$run: $why"
  xdotool windowfocus --sync "$box"
  xdotool key Return
  # Gone before the next key, which belongs to the window again.
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name "$title" >/dev/null 2>&1 || break
    sleep 0.1
  done
  sleep 0.3
}
