#!/usr/bin/env bash
# pagette.exe under Wine beside the Linux pagette, on the same job of 100,000
# records (texts, lines and framed boxes on 100 sheets) printed into the CUPS
# PDF queue, one after the other in the same run. Prints both times and the
# ratio. Run from the repository after scripts/run-tests and a Windows build:
#   scripts/with-pdf-printer bench/pagette/pagette_exe_beside_linux.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
work=$(mktemp -d "${TMPDIR:-/tmp}/pagette-bench-XXXXXX")
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
wine_dir=/usr/lib/wine
trap '"$wine_dir/wineserver" -k 2>/dev/null; rm -rf "$work"' EXIT
"$wine_dir/wine64" wineboot --init >/dev/null 2>&1
"$wine_dir/wine64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Arial Narrow' \
  /t REG_SZ /d 'Liberation Sans Narrow' /f >/dev/null 2>&1
awk 'BEGIN { ORS = "\r\n"
  print "0,1,66,9,130,0,10,0,720,720,1440,720,,\"Arial Narrow\""
  for (p = 1; p <= 100; p++) for (i = 0; i < 333; i++) {
    r = i % 60; c = (i * 7) % 120
    print "1," p "," r "," c ",40,0,0,0,0,0,0,0,1,\"Satir " i " \307\320\335\326\336\334\""
    print "2," p "," r "," c ",10,0,0,0,0,0,0,0,,\"\""
    print "4," p "," r "," c ",8,1,0,0,0,0,0,0,1,\"\"" } }' >"$work/bench.job"
seconds() { local start end; start=$(date +%s%N); "$@"; end=$(date +%s%N); echo $(((end - start) / 1000000)); }
cp "$work/bench.job" "$work/windows.job"
cp "$work/bench.job" "$work/linux.job"
windows=$(seconds "$wine_dir/wine64" build-windows/pagette/pagette.exe "Z:${work//\//\\}\\windows.job")
linux=$(seconds build/bin/pagette "$work/linux.job" 2>/dev/null)
echo "100,000 records to PDF: pagette.exe under Wine $windows ms, Linux pagette $linux ms," \
  "ratio $(awk -v w="$windows" -v l="$linux" 'BEGIN { printf "%.1f", w / l }')"
