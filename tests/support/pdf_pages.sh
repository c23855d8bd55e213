# Sourced by the tests that print through the CUPS PDF queue: where its PDFs
# land, a job printed by a program, and two PDFs compared page by page. Needs
# $work (a scratch folder) and the caller's fail.
pdf_folder=${HOME:-/root}/PDF
[ -d /root/PDF ] && pdf_folder=/root/PDF

# Echoes the PDF whose name holds NAME that the queue writes after the file
# MARKER, once it is whole; the queue writes it a moment after the document
# has ended.
await_pdf() {
  local name=$1 marker=$2 pdf
  for _ in $(seq 1 100); do
    pdf=$(find "$pdf_folder" -maxdepth 1 -name "*$name*.pdf" -newer "$marker" | head -1)
    [ -n "$pdf" ] && pdfinfo "$pdf" >/dev/null 2>&1 && { echo "$pdf"; return 0; }
    sleep 0.2
  done
  fail "$name: no PDF appeared"
  return 1
}

# Prints a copy of a job with a program; echoes the PDF the queue made of it.
print_job() {
  local job=$1 name=$2; shift 2
  cp "$job" "$work/$name.job"
  touch "$work/before-$name"
  "$@" "$work/$name.job" 2>"$work/$name.err" || { fail "$name: $(cat "$work/$name.err")"; return 1; }
  [ ! -e "$work/$name.job" ] || fail "$name: the printed job file was kept"
  await_pdf "$name" "$work/before-$name"
}

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
    # poppler finds fault with the glyph boxes of cups-pdf's Type 3 fonts, harmlessly.
    pdftoppm -gray -r 100 -f "$page" -l "$page" -singlefile "$windows" "$work/w" 2>/dev/null
    pdftoppm -gray -r 100 -f "$page" -l "$page" -singlefile "$linux" "$work/l" 2>/dev/null
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
