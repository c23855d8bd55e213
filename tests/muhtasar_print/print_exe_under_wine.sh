#!/usr/bin/env bash
# muhtasar-print.exe under Wine, headless, beside the Linux muhtasar-print:
# on good and bad print files it must exit alike, say the same on standard
# error, byte for byte, and write the same job or none. Then what only
# Windows has: --pdf where the system has no PDF printer. Runs in the Wine
# prefix of scripts/run-windows-tests.
#   print_exe_under_wine.sh MUHTASAR-PRINT.EXE [LINUX-MUHTASAR-PRINT]
set -uo pipefail
exe=$(realpath "$1")
linux=${2:+$(realpath "$2")}
data=$(cd "$(dirname "$0")/../data" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/print-exe-XXXXXX")
trap 'rm -rf "$work"' EXIT
wine_dir=/usr/lib/wine
[ -x "$wine_dir/wine64" ] || wine_dir=$(dirname "$(command -v wine64)")
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# The sample print file with line $1 replaced by $2.
with_line() {
  awk -v n="$1" -v text="$2" 'BEGIN { ORS = "" } NR == n { print text "\r\n"; next } { print $0 "\n" }' \
    "$data/print/sample_declaration.dat"
}

# Runs a program with the arguments in the case's folder: "STATUS" then its
# standard error in $work/<case>/<side>.err.
run_in() {
  local folder=$1 side=$2; shift 2
  (cd "$folder" && "$@" 2>"$side.err" >/dev/null </dev/null)
  echo $?
}

# The case's print file is made by the command after the name ("" for none).
check_case() {
  local name=$1; shift
  local folder=$work/$name
  mkdir -p "$folder"
  [ $# -gt 0 ] && "$@" >"$folder/BORDMHT1.DAT"
  local windows_status linux_status
  windows_status=$(run_in "$folder" windows "$wine_dir/wine64" "$exe" --job windows.job)
  if [ -n "$linux" ]; then
    linux_status=$(run_in "$folder" linux "$linux" --job linux.job)
    [ "$windows_status" = "$linux_status" ] ||
      fail "$name: exit status $windows_status, on Linux $linux_status"
    cmp -s "$folder/windows.err" "$folder/linux.err" ||
      fail "$name: said «$(cat "$folder/windows.err")», on Linux «$(cat "$folder/linux.err")»"
    if [ -e "$folder/linux.job" ]; then
      cmp -s "$folder/windows.job" "$folder/linux.job" || fail "$name: the job differs from Linux's"
    else
      [ ! -e "$folder/windows.job" ] || fail "$name: wrote a job that Linux refuses"
    fi
  fi
  echo "$windows_status"
}

copy() { cat "$1"; }
lines() { for _ in $(seq 1 "$1"); do printf 'x\r\n'; done; }
with_nul() { lines 548 | head -c 30; printf '\0'; lines 548 | tail -c +32; }

[ -n "$linux" ] || echo "NOTE: no Linux muhtasar-print: only the golden files are compared" >&2
status=$(check_case sample copy "$data/print/sample_declaration.dat")
[ "$status" = 0 ] || fail "sample: exit status $status"
cmp -s "$work/sample/windows.job" "$data/muhtasar_print/sample_declaration.job" ||
  fail "sample: the job differs from the golden job"
status=$(check_case long-values copy "$data/print/long_values.dat")
cmp -s "$work/long-values/windows.job" "$data/muhtasar_print/long_values.job" ||
  fail "long values: the job differs from the golden job"
cmp -s "$work/long-values/windows.err" "$data/muhtasar_print/long_values.reports" ||
  fail "long values: the reports differ from the golden ones"
for refused in "missing" "547-lines lines 547" "549-lines lines 549" "not-text with_nul" \
  "letters-for-an-amount with_line 26 abc" "decimals with_line 27 5" "check-line with_line 4 Y" "payee-line with_line 114 012"; do
  read -r -a case <<<"$refused"
  status=$(check_case "${case[@]}")
  [ "$status" = 1 ] || fail "${case[0]}: exit status $status, not 1"
  [ -s "$work/${case[0]}/windows.err" ] || fail "${case[0]}: said nothing"
  [ ! -e "$work/${case[0]}/windows.job" ] || fail "${case[0]}: wrote a job"
done

# --check writes the same bytes as on Linux (its golden files) and exits alike:
# 1 with an error, 2 where the file cannot be checked.
for name in sample_declaration empty_declaration long_values; do
  folder=$work/check-$name
  mkdir -p "$folder"
  cp "$data/print/$name.dat" "$folder/BORDMHT1.DAT"
  status=$(cd "$folder" && "$wine_dir/wine64" "$exe" --check >check.out 2>check.err </dev/null; echo $?)
  [ "$status" = 1 ] || fail "--check $name: exit status $status, not 1"
  cmp -s "$folder/check.out" "$data/check/$name.txt" || fail "--check $name: differs from its golden output"
done
status=$(run_in "$work/missing" check "$wine_dir/wine64" "$exe" --check)
[ "$status" = 2 ] && [ -s "$work/missing/check.err" ] || fail "--check without a print file: status $status"

# Where the system has no PDF printer (Wine has none of that name), --pdf says so.
folder=$work/sample
status=$(run_in "$folder" pdf "$wine_dir/wine64" "$exe" --pdf out.pdf)
[ "$status" = 1 ] || fail "--pdf without a PDF printer: exit status $status"
grep -qF '"Microsoft Print to PDF" yazıcısı yok' "$folder/pdf.err" ||
  fail "--pdf without a PDF printer said «$(cat "$folder/pdf.err")»"
[ ! -e "$folder/out.pdf" ] || fail "--pdf without a PDF printer wrote a file"
status=$(run_in "$folder" usage "$wine_dir/wine64" "$exe" --jpg out.jpg)
[ "$status" = 2 ] && grep -q '^usage: muhtasar-print' "$folder/usage.err" || fail "--jpg: not a usage error"

[ "$failures" -eq 0 ] && echo "muhtasar-print.exe under Wine: all checks passed"
exit $((failures > 0))
