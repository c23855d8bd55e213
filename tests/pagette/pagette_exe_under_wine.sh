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
pdf_folder=${HOME:-/root}/PDF
[ -d /root/PDF ] && pdf_folder=/root/PDF

# Prints a copy of a job with a program; echoes the PDF the queue made of it.
print_job() {
  local job=$1 name=$2; shift 2
  cp "$job" "$work/$name.job"
  touch "$work/before-$name"
  "$@" "$work/$name.job" 2>"$work/$name.err" || { fail "$name: $(cat "$work/$name.err")"; return 1; }
  [ ! -e "$work/$name.job" ] || fail "$name: the printed job file was kept"
  # The queue writes the file a moment after the document has ended.
  for _ in $(seq 1 100); do
    pdf=$(find "$pdf_folder" -maxdepth 1 -name "*$name*.pdf" -newer "$work/before-$name" | head -1)
    [ -n "$pdf" ] && pdfinfo "$pdf" >/dev/null 2>&1 && { echo "$pdf"; return 0; }
    sleep 0.2
  done
  fail "$name: no PDF appeared"
  return 1
}

windows_pagette() { "$wine_dir/wine64" "$exe" "Z:${1//\//\\}"; }

# Marked dots (anything not white) of page image A with no marked dot of B
# within a reach of dots, and A's marked dots: "MISSING MARKED".
marks_outside() {
  local a=$1 b=$2 reach=$3 white=${4:-95%} marked both
  convert "$b" -threshold "$white" -morphology Erode "Square:$reach" "$work/grown.pgm"
  marked=$(LC_ALL=C convert "$a" -threshold "$white" -negate -format "%[fx:round(mean*w*h)]" info:-)
  both=$(LC_ALL=C convert "$a" -threshold "$white" "$work/grown.pgm" -compose Lighten -composite \
    -negate -format "%[fx:round(mean*w*h)]" info:-)
  echo $((marked - both)) "$marked"
}

# The same marks in the same places at 100 dpi, page by page: every mark of
# the Linux page within a dot of one on the Windows page, and the other way
# round within the few dots by which the two printers' own units widen a thick
# line (the job's line widths are each printer's dots: 1200 on Linux, 300 under
# Wine) or space a hatch. A page that Wine hands over turned (landscape) is
# compared with the Linux page turned alike. A hatch is a pattern of each
# device's own dots, grey at 100 dpi from the Linux printer's 1200: on a page
# of hatches only the dark marks (the boxes' outlines) of the Linux page are
# looked for on the Windows page.
same_pages() {
  local windows=$1 linux=$2 name=$3 hatches=${4:-0} pages
  pages=$(pdfinfo "$windows" | sed -n 's/^Pages: *//p')
  [ "$pages" = "$(pdfinfo "$linux" | sed -n 's/^Pages: *//p')" ] || fail "$name: $pages pages, not as on Linux"
  for page in $(seq 1 "$pages"); do
    pdftoppm -gray -r 100 -f "$page" -l "$page" -singlefile "$windows" "$work/w"
    pdftoppm -gray -r 100 -f "$page" -l "$page" -singlefile "$linux" "$work/l"
    local size matched="" report=""
    size=$(LC_ALL=C identify -format "%w %h" "$work/w.pgm")
    for turn in 0 90 270; do
      convert "$work/l.pgm" -rotate "$turn" "$work/lt.pgm"
      [ "$(LC_ALL=C identify -format "%w %h" "$work/lt.pgm")" = "$size" ] || continue
      if [ "$page" = "$hatches" ]; then
        read -r lost linux_marks < <(marks_outside "$work/lt.pgm" "$work/w.pgm" 1 50%)
        stray=0 windows_marks=0
      else
        read -r lost linux_marks < <(marks_outside "$work/lt.pgm" "$work/w.pgm" 1)
        read -r stray windows_marks < <(marks_outside "$work/w.pgm" "$work/lt.pgm" 6)
      fi
      report="$lost of $linux_marks Linux marks lost, $stray of $windows_marks Windows marks astray"
      # Glyphs are hinted differently by GDI and by Qt: a few dots at their edges.
      if [ $((lost * 100)) -le $((linux_marks * 2)) ] && [ $((stray * 100)) -le $((windows_marks * 2)) ]; then
        matched=$turn
        break
      fi
    done
    [ -n "$matched" ] || fail "$name: page $page differs from the Linux page ($report)"
  done
}

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
