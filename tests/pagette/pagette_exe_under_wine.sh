#!/usr/bin/env bash
# pagette.exe end to end under Wine: printed through the CUPS PDF queue that
# Wine sees as its default printer (run under scripts/with-pdf-printer, in the
# Wine prefix of scripts/run-windows-tests), checked with poppler against the
# PDF that the Linux pagette makes of the same job; then its failures.
#   pagette_exe_under_wine.sh PAGETTE.EXE [LINUX-PAGETTE]
set -uo pipefail
exe=$1
linux_pagette=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/pagette-wine-XXXXXX")
trap 'rm -rf "$work"' EXIT
wine_dir=/usr/lib/wine
[ -x "$wine_dir/wine64" ] || wine_dir=$(dirname "$(command -v wine64)")
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

if [ "$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: *//p')" != PDF ]; then
  echo "SKIP: no PDF printer (scripts/with-pdf-printer sets one up as root)" >&2
  exit 0
fi
. "$here/../support/pdf_pages.sh"

windows_pagette() { "$wine_dir/wine64" "$exe" "Z:${1//\//\\}"; }

for job in "$here/../../pagette/examples/two-sheets.job" "$here/every_record_kind.job"; do
  name=$(basename "$job" .job)
  windows_pdf=$(print_job "$job" "win-$name" windows_pagette) || continue
  pdfinfo -f 1 -l 1 "$windows_pdf" | grep -q 'Page *1 size: *595\(\.[0-9]*\)\? x 842' ||
    fail "$name: page 1 is not A4"
  if [ "$name" = two-sheets ]; then
    # The setup record turns the first sheet to landscape.
    pdfinfo -f 1 -l 1 "$windows_pdf" | grep -q 'Page *1 rot: *\(90\|270\)' ||
      fail "$name: page 1 is not landscape"
  fi
  if [ -n "$linux_pagette" ]; then
    hatches=0
    [ "$name" = every_record_kind ] && hatches=3
    linux_pdf=$(print_job "$job" "lin-$name" "$linux_pagette") &&
      same_pages "$windows_pdf" "$linux_pdf" "$name" "$hatches"
  fi
done

# Failures: a non-zero exit, the message on standard error, the job file kept.
refused() {
  local name=$1 job_text=$2 message=$3
  printf '%s' "$job_text" >"$work/$name.job"
  if "${@:4}" "$exe" "Z:${work//\//\\}\\$name.job" 2>"$work/$name.err"; then
    fail "$name: printed"
  fi
  grep -qF "$message" "$work/$name.err" || fail "$name: said «$(cat "$work/$name.err")»"
  [ -e "$work/$name.job" ] || fail "$name: the job file is gone"
}
refused unknown-paper $'0,1,66,999,130,0,10,0,720,720,1440,720,,"Arial"\r\n' \
  "the printer has no paper size 999" "$wine_dir/wine64"
refused bad-record $'1,1,4,10,60,0,6\r\n' "line 1" "$wine_dir/wine64"
# Without CUPS, Wine has no printer at all; a new Wine server looks again.
"$wine_dir/wineserver" -k 2>/dev/null
refused no-printer $'1,1,4,10,60,0,0,0,0,0,0,0,1,"x"\r\n' "no default printer" \
  env CUPS_SERVER=/nonexistent/cups.sock "$wine_dir/wine64"
"$wine_dir/wineserver" -k 2>/dev/null

[ "$failures" -eq 0 ] && echo "pagette.exe under Wine: all checks passed"
exit $((failures > 0))
