#!/usr/bin/env bash
# muhtasar.exe under Wine on Xvfb: start to first paint beside a bare Win32
# window with the same menu, in the same run, best of five each; and a
# keystroke in an amount field to its repaint.
#   bench/app_win32/win32_startup_under_wine.sh [BUILD-WINDOWS-DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(cd "${1:-build-windows}" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/win32-bench-XXXXXX")
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine_dir=/usr/lib/wine
Xvfb :171 -screen 0 1024x768x24 -noreset >/dev/null 2>&1 &
xvfb=$!
trap '"$wine_dir/wineserver" -k 2>/dev/null; kill $xvfb; rm -rf "$work"' EXIT
export DISPLAY=:171
"$wine_dir/wine64" wineboot --init >/dev/null 2>&1
"$wine_dir/wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
cp examples/BORDMHT.DAT "$work/"
best() {
  local best=""
  for _ in 1 2 3 4 5; do
    local start end
    start=$(date +%s%N)
    (cd "$work" && "$@" >"$work/out" 2>&1) || { cat "$work/out" >&2; exit 1; }
    end=$(date +%s%N)
    local ms=$(((end - start) / 1000000))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}
bare=$(best "$wine_dir/wine64" "$build/bench/app_win32/muhtasar_win32_bench.exe" bare)
window=$(best env MUHTASAR_QUIT_AFTER_SHOW=1 "$wine_dir/wine64" "$build/app/win32/muhtasar.exe")
echo "start to first paint: muhtasar.exe $window ms, bare window $bare ms," \
  "ratio $(awk -v w="$window" -v b="$bare" 'BEGIN { printf "%.2f", w / b }')"
"$wine_dir/wine64" "$build/bench/app_win32/muhtasar_win32_bench.exe" keystroke 2>/dev/null
