#!/usr/bin/env bash
# Tries the Windows installer under Wine, in a fresh prefix whose COM ports are mapped first
# (scripts/wine-lib.sh):
#
#   scripts/check-windows-installer.sh SETUP.exe
#
# - another program already offers itself for .cfg files (an OpenWithProgids entry of its own);
# - a silent install (/S) puts the files under Program Files (the handbook among them), the
#   Start-menu entries of the program and its handbook, "Open with" for .cfg (without taking the
#   extension's default) and the uninstall entry in place;
# - the installed programs run from there: `vorlandex-send.exe --version` answers, its --help
#   names the installed handbook's page, the window
#   `vorlandex.exe --version` starts with every DLL it needs;
# - a file the operator saved in the program's folder survives the silent removal (/S), which
#   removes every file, shortcut and registry key the installer made and leaves the other
#   program's entry: the prefix's files and registry keys are then those it had before the
#   install, plus that one file.
set -euo pipefail
setup=$(realpath "${1:?usage: $0 SETUP.exe}")
. "$(dirname "$0")/wine-lib.sh"
work=$(mktemp -d /tmp/vorlandex-installer.XXXXXX)
export WINEPREFIX=$work/prefix
cleanup() { wine_stop; rm -rf "$work"; }
trap cleanup EXIT
unset DISPLAY

fail() { echo "check-windows-installer: $*" >&2; exit 1; }
reg() { wine_run reg "$@"; }
settle() { "$WINESERVER" -w; }   # every program of the prefix has ended and the registry is saved

# What the prefix holds: its files (but Wine's own temporary and cache files) and registry keys.
snapshot() {
  (cd "$WINEPREFIX/drive_c" && find . \( -path ./windows/temp -o -path './users/*/Temp' \
      -o -path './users/*/AppData/Local/Temp' \) -prune -o -print | sort)
  grep -h '^\[' "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg" | sed 's/ [0-9]*$//' | sort
}

wine_make_prefix "$WINEPREFIX"
program_dir="$WINEPREFIX/drive_c/Program Files/VORLANDEX Configurator"
start_menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
shortcut="$start_menu/VORLANDEX Configurator.lnk"
classes='HKLM\Software\Classes'

reg add "$classes\\.cfg\\OpenWithProgids" /v Other.Program /t REG_SZ /d "" /f >/dev/null
settle
snapshot > "$work/before"

echo "check-windows-installer: installing $(basename "$setup") silently"
wine_run "$setup" /S
settle
[ -f "$program_dir/uninstall.exe" ] || fail "nothing installed in $program_dir"
[ -f "$shortcut" ] || fail "no Start-menu entry"
handbook_entries=$(find "$start_menu" -maxdepth 1 \( -name '*Handbook.lnk' -o -name 'Manual d*.lnk' \) | wc -l)
[ "$handbook_entries" -eq 1 ] || fail "$handbook_entries Start-menu entries for the handbook, not one"
for language in pt en es; do
  for page in index.html pictures/window.png; do
    [ -f "$program_dir/handbook/$language/$page" ] || fail "the handbook's $language/$page was not installed"
  done
done
main=$(reg query "$classes\\VORLANDEX.Configuration\\shell\\open\\command" /ve | tr -d '\r' |
       sed -n 's/.*REG_SZ *"\([^"]*\)".*/\1/p')
[ -n "$main" ] || fail "no \"Open with\" command for .cfg files"
echo "check-windows-installer: .cfg files open with $main"
reg query "$classes\\.cfg\\OpenWithProgids" /v VORLANDEX.Configuration >/dev/null || fail "not offered for .cfg files"
reg query "$classes\\.cfg\\OpenWithProgids" /v Other.Program >/dev/null || fail "the other program's entry is gone"
default=$(reg query "$classes\\.cfg" /ve | tr -d '\r' | sed -n 's/.*(Default) *REG_SZ *//p')
[ -z "$default" ] || [ "$default" = "(value not set)" ] || fail ".cfg files were taken over: $default"
reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VORLANDEX Configurator" \
  /v QuietUninstallString >/dev/null || fail "no uninstall entry"
echo "check-windows-installer: installed $(find "$program_dir" -type f | wc -l) files," \
     "$(du -sk --apparent-size "$program_dir" | awk '{ printf "%.1f MiB", $1 / 1024 }')"

for program in vorlandex.exe vorlandex-send.exe; do
  [ -f "$program_dir/$program" ] || fail "$program was not installed"
done
version=$(wine_run "$program_dir/vorlandex-send.exe" --version | tr -d '\r')
[[ $version == "vorlandex-send "* ]] || fail "vorlandex-send.exe --version said: $version"
echo "check-windows-installer: the installed vorlandex-send.exe --version: $version"
page=$(wine_run "$program_dir/vorlandex-send.exe" --help | tr -d '\r' | sed -n 's/^Handbook: //p')
[[ $page == 'C:\Program Files\VORLANDEX Configurator\handbook\en\many-printers.html' ]] ||
  fail "vorlandex-send.exe --help names the handbook as '$page'"
# The window answers --version in a message box where it has no console (none shows here,
# without a display): its exit status says that it started with every DLL it needs found.
wine_run "$program_dir/vorlandex.exe" --version >/dev/null 2>&1 ||
  fail "the installed vorlandex.exe did not start (exit status $?)"
echo "check-windows-installer: the installed vorlandex.exe started and answered --version"
settle

echo "operator's own" > "$program_dir/minha-clinica.cfg"
echo "check-windows-installer: removing it silently"
wine_run "$program_dir/uninstall.exe" /S
settle
[ -f "$program_dir/minha-clinica.cfg" ] || fail "the operator's file in the program's folder was removed"
# A value in a key that stays is not in the snapshot of keys: asked for on its own.
! reg query "$classes\\.cfg\\OpenWithProgids" /v VORLANDEX.Configuration >/dev/null 2>&1 ||
  fail "still offered for .cfg files"
reg query "$classes\\.cfg\\OpenWithProgids" /v Other.Program >/dev/null || fail "the other program's entry is gone"
rm "$program_dir/minha-clinica.cfg"
rmdir "$program_dir"
snapshot > "$work/after"
if ! diff -u "$work/before" "$work/after" > "$work/left"; then
  cat "$work/left" >&2
  fail "the removal left the above behind (+) or took it away (-)"
fi
echo "check-windows-installer: removal left nothing behind but the operator's file; the other program's .cfg entry stayed"
