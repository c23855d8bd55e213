# Sourced by the tests that drive a real window: a scratch folder in $work,
# and at the end the program in $program_pid, Xvfb and the folder go.
work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Starts Xvfb on the first free display number from $1 on, with the rest of
# the arguments, and exports DISPLAY.
start_xvfb() {
  local number=$1
  shift
  while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
  Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp "$@" >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$number"
  # The window must open on that display: a caller's QT_QPA_PLATFORM (offscreen
  # is a common habit on headless machines) would put it where xdotool never
  # finds it.
  export QT_QPA_PLATFORM=xcb
  for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$number" ] && break; sleep 0.1; done
}

# Waits up to 5 s for the program in $program_pid to end (after Alt+K); the
# caller's fail, with $1 before the message, where it does not.
await_program_end() {
  for _ in $(seq 1 50); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$program_pid" 2>/dev/null && fail "${1:-}Alt+K did not end the program"
  wait "$program_pid" || fail "${1:-}the program ended with status $?"
  program_pid=""
}
