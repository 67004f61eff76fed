#!/usr/bin/env bash
# Packs the Windows programs (the build's target windows_packages, run by `make windows`):
#
#   scripts/windows-package.sh --source DIR --out DIR --version V --qt QT_PREFIX --icon ICO --main NAME.exe PROGRAM.exe...
#
# 1. OUT/vorlandex-V-win64/: the programs (stripped), every DLL they and Qt's plugins load from
#    Qt's bin folder (Qt's own and the MinGW runtime: libstdc++, libgcc_s_seh, libwinpthread),
#    found by reading their import tables with objdump; Qt's plugins (platforms: windows,
#    offscreen; the Windows styles; the gif, ico and jpeg readers) in the folders Qt looks for
#    beside the program; Qt's own translations for pt, en and es (Debian's qt6-translations-l10n:
#    qtbase_pt_BR.qm, qtbase_en.qm, qtbase_es.qm) in translations/, where Qt finds them for a
#    program whose Qt DLLs sit beside it; the copyright text; the handbook (resources/handbook:
#    its pages and pictures in handbook/<language>/). The program's own translations are
#    compiled into it.
# 2. OUT/vorlandex-V-win64.zip: that folder, to run without installing.
# 3. OUT/vorlandex-V-win64-setup.exe: the NSIS installer (resources/windows/installer.nsi) of the
#    same files, with an uninstaller that removes exactly those.
# Prints the sizes. Needs: the MinGW-w64 binutils, makensis (nsis), zip.
set -euo pipefail

usage() { echo "usage: $0 --source DIR --out DIR --version V --qt QT_PREFIX --icon ICO --main NAME.exe PROGRAM.exe..." >&2; exit 2; }
source_dir= out= version= qt= icon= main=
while [ $# -gt 0 ]; do
  case "$1" in
    --source) source_dir=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --version) version=$2; shift 2 ;;
    --qt) qt=$2; shift 2 ;;
    --icon) icon=$2; shift 2 ;;
    --main) main=$2; shift 2 ;;
    --*) usage ;;
    *) break ;;
  esac
done
[ -n "$source_dir" ] && [ -n "$out" ] && [ -n "$version" ] && [ -n "$qt" ] && [ -n "$icon" ] && [ -n "$main" ] && [ $# -ge 1 ] || usage

objdump=x86_64-w64-mingw32-objdump
strip=x86_64-w64-mingw32-strip
name=vorlandex-$version-win64
stage=$out/$name
rm -rf "$stage" "$out/$name.zip" "$out/$name-setup.exe"
mkdir -p "$stage"

for program in "$@"; do
  "$strip" -o "$stage/$(basename "$program")" "$program"
done
[ -f "$stage/$main" ] || { echo "windows-package: $main is not among the programs" >&2; exit 1; }

declare -A plugins=(
  [platforms]="qwindows qoffscreen"
  [styles]="qwindowsvistastyle"
  [imageformats]="qgif qico qjpeg"
)
for folder in "${!plugins[@]}"; do
  mkdir -p "$stage/$folder"
  for plugin in ${plugins[$folder]}; do
    "$strip" --strip-unneeded -o "$stage/$folder/$plugin.dll" "$qt/plugins/$folder/$plugin.dll"
  done
done

# Every DLL the programs and plugins import, and the DLLs those import, from Qt's bin folder
# (which also holds the MinGW runtime). Anything else is Windows' own (KERNEL32, USER32, ...).
declare -A deployed=()
pending=("$stage"/*.exe "$stage"/*/*.dll)
while [ ${#pending[@]} -gt 0 ]; do
  file=${pending[0]}
  pending=("${pending[@]:1}")
  while read -r dll; do
    key=${dll,,}
    [ -n "${deployed[$key]:-}" ] && continue
    found=$(find "$qt/bin" -maxdepth 1 -iname "$dll" -print -quit)
    [ -n "$found" ] || continue
    deployed[$key]=1
    "$strip" --strip-unneeded -o "$stage/$(basename "$found")" "$found"
    pending+=("$stage/$(basename "$found")")
  done < <("$objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p' | tr -d '\r')
done

mkdir -p "$stage/translations"
for language in pt_BR en es; do
  cp /usr/share/qt6/translations/qtbase_$language.qm "$stage/translations/"
done
sed 's/$/\r/' "$source_dir/resources/debian/copyright" > "$stage/copyright.txt"
cp -r "$source_dir/resources/handbook" "$stage/handbook"

# The same date on every file (the last commit's), so that packs of one commit compare equal.
epoch=$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null || date +%s)
find "$stage" -exec touch -h -d "@$epoch" {} +

(cd "$out" && TZ=UTC zip -q -r -X "$name.zip" "$name")

# The installer: one File line per file, and the uninstaller's Delete lines for exactly those
# files, then their folders (only if empty: what the operator put there stays).
nsh=$out/windows-installer
mkdir -p "$nsh"
: > "$nsh/files.nsh"
: > "$nsh/uninstall-files.nsh"
(cd "$stage" && find . -type d | sort) | while read -r dir; do
  dir=${dir#./}; dir=${dir#.}
  win=${dir//\//\\}
  echo "SetOutPath \"\$INSTDIR${win:+\\$win}\"" >> "$nsh/files.nsh"
  (cd "$stage/${dir:-.}" && find . -maxdepth 1 -type f | sort) | while read -r file; do
    file=${file#./}
    echo "File \"$stage/${dir:+$dir/}$file\"" >> "$nsh/files.nsh"
    echo "Delete \"\$INSTDIR\\${win:+$win\\}$file\"" >> "$nsh/uninstall-files.nsh"
  done
done
echo "SetOutPath \"\$INSTDIR\"" >> "$nsh/files.nsh"
(cd "$stage" && find . -mindepth 1 -type d | sort -r) | while read -r dir; do
  dir=${dir#./}
  echo "RMDir \"\$INSTDIR\\${dir//\//\\}\"" >> "$nsh/uninstall-files.nsh"
done
installed_kb=$(du -sk --apparent-size "$stage" | cut -f1)
makensis -V2 -INPUTCHARSET UTF8 \
  -DVERSION="$version" -DOUTFILE="$out/$name-setup.exe" -DMAIN_EXE="$main" -DICON="$icon" \
  -DFILES_NSH="$nsh/files.nsh" -DUNINSTALL_FILES_NSH="$nsh/uninstall-files.nsh" \
  -DESTIMATED_SIZE_KB="$installed_kb" \
  "$source_dir/resources/windows/installer.nsi"

size() { du -k --apparent-size "$1" | awk '{ printf "%.1f MiB", $1 / 1024 }'; }
qt_kb=$(find "$stage" -iname 'qt6*.dll' -print0 | du -kc --apparent-size --files0-from=- | tail -1 | cut -f1)
echo "windows-package: $out/$name-setup.exe: $(size "$out/$name-setup.exe")"
echo "windows-package: $out/$name.zip: $(size "$out/$name.zip")"
echo "windows-package: installed: $(awk -v k="$installed_kb" 'BEGIN { printf "%.1f MiB", k / 1024 }') in $(find "$stage" -type f | wc -l) files" \
     "(Qt's DLLs $(awk -v k="$qt_kb" 'BEGIN { printf "%.1f MiB", k / 1024 }'))"
