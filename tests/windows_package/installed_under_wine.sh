#!/usr/bin/env bash
# The installed Windows product under Wine, on a virtual X display with the
# Turkish keyboard layout and the CUPS PDF queue as Wine's default printer
# (run by scripts/test-windows-package under scripts/with-pdf-printer).
# Usage: installed_under_wine.sh SETUP_EXE VERSION STARTED_AT
set -euo pipefail
setup=$1
version=$2
started=$3
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$here/../support/declaration_keys.sh"
require_keyboard_tools
wine_dir=/usr/lib/wine
[ -x "$wine_dir/wine64" ] || wine_dir=$(dirname "$(command -v wine64)")
wine() { "$wine_dir/wine64" "$@"; }
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }

. "$here/../support/xvfb_display.sh"
. "$here/../support/pdf_pages.sh"
export WINEPREFIX=$work/prefix WINEDEBUG=-all
# Wine's server goes before its prefix does.
trap '"$wine_dir/wineserver" -k 2>/dev/null || true; cleanup' EXIT
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
start_xvfb 170 -screen 0 1280x1100x24 -noreset
# Before Wine starts: Wine takes the keyboard layout once.
setxkbmap tr || fail "setxkbmap tr"
wine wineboot --init >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Arial Narrow' /t REG_SZ \
  /d 'Liberation Sans Narrow' /f >/dev/null 2>&1
[ "$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: *//p')" = PDF ] ||
  fail "no PDF printer (scripts/with-pdf-printer sets one up as root)"

drive_c=$WINEPREFIX/drive_c
# Everything on drive C outside the temporary folders, where the uninstaller
# runs from and which Windows empties itself.
files_on_c() { (cd "$drive_c" && find . -path './users/*/Temp' -prune -o -print | sort); }
before=$(files_on_c)

# --- Install
wine "$setup" /S || fail "the silent install failed"
programs=$drive_c/Program\ Files/Muhtasar\ Beyanname
for program in muhtasar.exe muhtasar-open.exe muhtasar-print.exe pagette.exe uninstall.exe; do
  [ -f "$programs/$program" ] || fail "$program is not in Program Files\\Muhtasar Beyanname"
done
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Muhtasar Beyanname.lnk"
[ -f "$shortcut" ] || fail "no Start-menu entry \"Muhtasar Beyanname\""
grep -qa 'muhtasar-open.exe' "$shortcut" || fail "the Start-menu entry does not start muhtasar-open.exe"
# The user guide beside the programs, with its pictures, and its Start-menu entry.
[ -f "$programs/kilavuz/index.html" ] && [ -f "$programs/kilavuz/resimler/pencere-windows.png" ] ||
  fail "the user guide is not in Program Files\\Muhtasar Beyanname\\kilavuz"
guide_shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kullanım Kılavuzu.lnk"
[ -f "$guide_shortcut" ] || fail "no Start-menu entry \"Kullanım Kılavuzu\""
grep -qa 'kilavuz' "$guide_shortcut" || fail "the Start-menu entry \"Kullanım Kılavuzu\" does not open the guide"
entry=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Muhtasar Beyanname' |
  tr -d '\r')
for value in "DisplayName    REG_SZ    Muhtasar Beyanname" "DisplayVersion    REG_SZ    $version" \
  "Publisher    REG_SZ    The muhtasar developers" \
  "UninstallString    REG_SZ    \"C:\\Program Files\\Muhtasar Beyanname\\uninstall.exe\""; do
  grep -qF "$value" <<<"$entry" || fail "the installed-programs entry lacks «$value»"
done
grep -Eq 'EstimatedSize +REG_DWORD +0x[0-9a-f]*[1-9a-f]' <<<"$entry" || fail "no installed size"
wine uninstaller --list | grep -q 'Muhtasar Beyanname' || fail "not among the installed programs"
wine reg query 'HKLM\Software\Classes\.DAT\OpenWithProgids' /v MuhtasarBeyanname.BordroOzeti \
  >/dev/null 2>&1 || fail "muhtasar-open.exe is not under \"Open with\" for .DAT"
wine reg query 'HKLM\Software\Classes\MuhtasarBeyanname.BordroOzeti\shell\open\command' /ve |
  tr -d '\r' | grep -qF '\Muhtasar Beyanname\muhtasar-open.exe" "%1"' ||
  fail "\"Open with\" does not hand the file to muhtasar-open.exe"
dat_default=$(wine reg query 'HKLM\Software\Classes\.DAT' /ve 2>/dev/null | tr -d '\r' |
  sed -n 's/^ *(Default) *REG_SZ *//p')
[ -z "$dat_default" ] || [ "$dat_default" = "(value not set)" ] ||
  fail "the installer took the default of .DAT files: $dat_default"

# --- A company folder opened with muhtasar-open.exe, as "Open with" does
company="$work/Güneşoğlu Halı"
mkdir -p "$company"
cp "$root/examples/BORDMHT.DAT" "$company/"

# The preview that muhtasar.exe starts: seen, printed with Ctrl+P through
# pagette.exe into the PDF queue, closed with Esc.
await_preview() {
  local run=$1 preview=""
  preview=$(timeout 60 xdotool search --sync --onlyvisible --name "Muhtasar Beyanname - Baskı Önizleme" |
    head -1) || true
  [ -n "$preview" ] || fail "$run: Alt+Y did not open muhtasar-print.exe's preview"
  sleep 2
  import -window root "$work/preview.png"
  touch "$work/before-preview"
  xdotool windowfocus --sync "$preview"
  xdotool key ctrl+p
  # pagette.exe names the document after its job file, "mhp….tmp".
  preview_pdf=$(await_pdf mhp "$work/before-preview") || fail "$run: $preview_pdf"
  xdotool windowfocus --sync "$preview"
  xdotool key Escape
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name "Baskı Önizleme" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "$run: Esc did not close the preview"
}

(cd "$work" && exec "$wine_dir/wine64" "$programs/muhtasar-open.exe" \
  "$(windows_path "$company/BORDMHT.DAT")") >/dev/null 2>&1 &
program_pid=$!
wid=$(timeout 60 xdotool search --sync --onlyvisible --name "VBM Muhtasar Beyanname" | head -1) || true
[ -n "$wid" ] || fail "muhtasar-open.exe did not open muhtasar.exe's window"
type_declaration_keys installed "$wid" "$work" await_preview
await_program_end "muhtasar-open.exe: "
cmp "$company/muhtasar.ini" "$root/tests/data/keys/muhtasar.ini" ||
  fail "the store differs from the Linux window's"
cmp "$company/BORDMHT1.DAT" "$root/tests/data/keys/BORDMHT1.DAT" ||
  fail "the print file differs from the Linux window's"

# --- The installed print program's job, and pagette.exe printing it
(cd "$company" && "$wine_dir/wine64" "$programs/muhtasar-print.exe" --job \
  "$(windows_path "$work/installed.job")" 2>"$work/print.err") || fail "--job: $(cat "$work/print.err")"
cmp "$work/installed.job" "$root/tests/data/keys/BORDMHT1.job" ||
  fail "muhtasar-print.exe --job differs from the Linux muhtasar-print's job"
installed_pagette() { "$wine_dir/wine64" "$programs/pagette.exe" "$(windows_path "$1")"; }
job_pdf=$(print_job "$work/installed.job" installed-job installed_pagette) || fail "$job_pdf"
if [ -x "$root/build/bin/pagette" ]; then
  linux_pdf=$(print_job "$work/installed.job" linux-job "$root/build/bin/pagette") || fail "$linux_pdf"
  same_pages "$job_pdf" "$linux_pdf" "pagette.exe"
  same_pages "$preview_pdf" "$linux_pdf" "the preview's Yazdır"
else
  for pdf in "$job_pdf" "$preview_pdf"; do
    [ "$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')" = 2 ] || fail "$pdf: not 2 pages"
  done
fi

# --- Started alone: the folder dialog at the folder chosen last; Cancel ends quietly
# reg.exe prints in the console's code page; its export is UTF-16, every letter kept.
wine reg export 'HKCU\Software\Muhtasar Beyanname' "$(windows_path "$work/settings.reg")" >/dev/null 2>&1 ||
  fail "muhtasar-open.exe keeps no settings under HKCU\Software\Muhtasar Beyanname"
remembered=$(iconv -f UTF-16 -t UTF-8 "$work/settings.reg" | tr -d '\r' |
  sed -n 's/^"LastFolder"="\(.*\)"$/\1/p' | sed 's/\\\\/\\/g')
[ "$remembered" = "$(windows_path "$company")" ] || fail "the folder chosen last is «$remembered»"
(cd "$work" && exec "$wine_dir/wine64" "$programs/muhtasar-open.exe") >/dev/null 2>&1 &
program_pid=$!
dialog=$(timeout 60 xdotool search --sync --onlyvisible --name "Firma Klasörünü Seçin" | head -1) || true
[ -n "$dialog" ] || fail "muhtasar-open.exe alone did not ask for the company folder"
sleep 1
import -window root "$work/folder-dialog.png"
xdotool windowfocus --sync "$dialog"
xdotool key Escape
await_program_end "Cancel: "
xdotool search --onlyvisible --name "VBM Muhtasar Beyanname" >/dev/null 2>&1 &&
  fail "Cancel started muhtasar.exe"

# --- Uninstall: nothing installed left, every company file kept
wine "$programs/uninstall.exe" /S || fail "the silent uninstall failed"
# The uninstaller runs on from the temporary folder; the registry is saved when Wine's server ends.
"$wine_dir/wineserver" -w
left=$(diff <(echo "$before") <(files_on_c) || true)
[ -z "$left" ] || fail "the uninstall left files: $left"
! grep -il 'muhtasar' "$WINEPREFIX"/*.reg || fail "the uninstall left the registry entries above"
cmp "$company/muhtasar.ini" "$root/tests/data/keys/muhtasar.ini" || fail "the uninstall touched the store"
[ -f "$company/BORDMHT.DAT" ] && [ -f "$company/BORDMHT1.DAT" ] || fail "the uninstall touched the company folder"

if [ -n "${MUHTASAR_SCREENSHOTS:-}" ]; then
  mkdir -p "$MUHTASAR_SCREENSHOTS"
  cp "$work/preview.png" "$work/folder-dialog.png" "$MUHTASAR_SCREENSHOTS/"
fi
echo "muhtasar-setup-$version.exe: $(stat -c %s "$setup") bytes; the whole test took" \
  "$(($(date +%s) - started)) s"
echo "PASS"
