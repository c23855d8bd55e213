# Sourced by the keyboard tests of both windows: the keys a person types into
# the sample declaration, on the Turkish layout, and the files they leave.
# Edit1 has the focus, the caret before its text; Shift+Tab goes back to the
# last field, the payee list's last amount; Alt+Y writes the print file and,
# with no print program to start, ends with the error box; Alt+K saves.
# Needs the caller's fail and a window id; $1 names the run in messages.
type_declaration_keys() {
  local run=$1 wid=$2 box=""
  xdotool windowfocus --sync "$wid"
  sleep 0.3
  xdotool type --delay 30 "ÇĞİÖŞÜ çğıiöşü "
  xdotool key shift+Tab
  xdotool type --delay 30 "123456789.50"
  xdotool key alt+y
  for _ in $(seq 1 100); do
    box=$(xdotool search --onlyvisible --name "Varlen Bilgi" 2>/dev/null | head -1 || true)
    [ -n "$box" ] && break
    sleep 0.1
  done
  [ -n "$box" ] || fail "$run: Alt+Y did not end with the error box"
  xdotool windowfocus --sync "$box"
  xdotool key Return
  sleep 0.3
  xdotool windowfocus --sync "$wid"
  xdotool key alt+k
}
