#!/usr/bin/env bash
# The Windows window on Qt's windows platform under Wine, on a virtual X display (xvfb-run):
#
#   scripts/windows-window-check.sh [WINDOWS_BUILD [LINUX_BUILD]]   (build-windows, build)
#
# In a fresh prefix whose COM1..COM4 are mapped before anything runs (scripts/wine-lib.sh),
# COM1 is pointed at the pseudo-terminal of the Linux build's virtual printer. The packed
# program (WINDOWS_BUILD/vorlandex-<version>-win64/vorlandex.exe, with its DLLs and plugins beside
# it) is then started in English, Spanish and Portuguese; each window is photographed
# (SCREENS, default WINDOWS_BUILD/screens: window-en.png, window-es.png, window-pt.png, the
# English "Serial ports" dialog, window-en-serial-ports.png, and the help window F1 opens,
# help-en.png, help-es.png, help-pt.png) and closed with Alt+F4 as an operator
# would, and must end with exit status 0. The Portuguese one first
# sends the settings job from the keyboard (Tab to "Enviar Todas Configurações de Botões e
# Atendimento", then Space), and the printer must have decoded the whole job: the letter, link,
# first and last number of each of the four buttons and the options, with no fault on the line.
# The pauses are judged where they are made, at the window's own serial trace (VORLANDEX_TRACE):
# every "DIMP" at least 99.9 ms after the write before it. The printer judges arrival times on a
# pseudo-terminal, whose kernel worker adds jitter of its own: a pause it finds short is only noted.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-lib.sh

if [ "${1:-}" != --inside-display ]; then
  for tool in xvfb-run xdotool import; do
    command -v "$tool" >/dev/null ||
      { echo "windows-window-check: $tool is missing (scripts/install-deps.sh --windows)" >&2; exit 1; }
  done
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" --inside-display "$@"
fi
shift
windows_build=$(realpath "${1:-build-windows}")
linux_build=$(realpath "${2:-build}")
screens=${SCREENS:-$windows_build/screens}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$windows_build/CMakeCache.txt")
program=$windows_build/vorlandex-$version-win64/vorlandex.exe
printer_program=$linux_build/tools/printer/vorlandex-printer
[ -f "$program" ] || { echo "windows-window-check: no $program (make windows)" >&2; exit 1; }
[ -x "$printer_program" ] || { echo "windows-window-check: no $printer_program (make build)" >&2; exit 1; }

say() { echo "windows-window-check: $*"; }
fail() { echo "windows-window-check: $*" >&2; exit 1; }

work=$(mktemp -d /tmp/vorlandex-window.XXXXXX)
export WINEPREFIX=$work/prefix
printer=""
window=""
cleanup() {
  local status=$?
  [ -n "$window" ] && kill "$window" 2>/dev/null || true
  wine_stop
  # The port is closed (Wine has ended): now the printer's end of the line may go.
  if [ -n "$printer" ]; then kill -INT "$printer" 2>/dev/null || true; wait "$printer" 2>/dev/null || true; fi
  if [ "${KEEP:-0}" = 1 ]; then echo "work folder kept: $work"; else rm -rf "$work"; fi
  exit $status
}
trap cleanup EXIT

wine_make_prefix "$WINEPREFIX"
mkdir -p "$screens"

"$printer_program" >"$work/printer.log" 2>&1 &
printer=$!
for _ in $(seq 100); do grep -q '^VORLANDEX_COM1=' "$work/printer.log" && break; sleep 0.05; done
pty=$(sed -n 's/^VORLANDEX_COM1=//p' "$work/printer.log")
[ -c "$pty" ] || fail "the virtual printer named no pseudo-terminal: $(cat "$work/printer.log")"
ln -sfn "$pty" "$WINEPREFIX/vorlandex-ports/COM1"
wine_check_prefix "$WINEPREFIX"
say "COM1 -> $pty (the virtual printer)"

# Starts the window in `language`; sets `window` (the Wine process) and `wid` (its X window).
start_window() {
  local language=$1
  VORLANDEX_TRACE=${trace:-} wine_run "$program" --lang "$language" >"$work/window-$language.log" 2>&1 &
  window=$!
  wid=""
  for _ in $(seq 120); do
    wid=$(xdotool search --onlyvisible --name 'VORLANDEX' 2>/dev/null | head -1) || true
    [ -n "$wid" ] && break
    kill -0 "$window" 2>/dev/null || fail "vorlandex.exe --lang $language ended before its window showed"
    sleep 0.5
  done
  [ -n "$wid" ] || fail "no window of vorlandex.exe --lang $language within a minute"
  # The start-up's first second (when closing asks to save) passes, the window draws itself.
  sleep 2
  xdotool windowfocus --sync "$wid"
}

# The visible window whose title matches NAME, within 10 s; empty when none comes.
visible_window() {
  local found=""
  for _ in $(seq 40); do
    found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
    [ -n "$found" ] && break
    sleep 0.25
  done
  echo "$found"
}

# Closes the window as an operator would and checks that the program ended cleanly. With
# `notice`, the window first tells that the printer's settings changed: Enter answers it.
close_window() {
  local language=$1 notice=${2:-} status=0 box=""
  xdotool key --clearmodifiers alt+F4
  if [ -n "$notice" ]; then
    box=$(visible_window "$notice")
    [ -n "$box" ] || fail "no \"$notice\" box after Alt+F4"
    sleep 0.5
    import -window root "$screens/window-$language-notice.png"
    xdotool windowfocus --sync "$box"
    xdotool key Return
    say "--lang $language: Alt+F4 showed \"$notice\", answered with Enter"
  fi
  for _ in $(seq 60); do kill -0 "$window" 2>/dev/null || break; sleep 0.25; done
  kill -0 "$window" 2>/dev/null && fail "vorlandex.exe --lang $language did not end after Alt+F4"
  wait "$window" || status=$?
  window=""
  [ "$status" -eq 0 ] || fail "vorlandex.exe --lang $language ended with exit status $status"
  say "--lang $language: closed with Alt+F4, exit status 0"
}

photograph() {
  import -window root "$screens/window-$1.png"
  say "--lang $1: $(xdotool getwindowname "$wid"); screenshot $screens/window-$1.png"
}

# "Serial ports" from the keyboard (six Tabs from "Open": the command row up to its button), with
# the computer's COM ports in its lists; Escape closes it.
photograph_serial_ports() {
  local dialog=""
  for _ in $(seq 6); do xdotool key --delay 80 Tab; done
  xdotool key space
  dialog=$(visible_window '^Serial ports$')
  [ -n "$dialog" ] || fail "no \"Serial ports\" dialog after Tab and Space"
  sleep 1
  import -window root "$screens/window-en-serial-ports.png"
  xdotool key Escape
  for _ in $(seq 40); do xdotool search --onlyvisible --name '^Serial ports$' >/dev/null 2>&1 || break; sleep 0.25; done
  say "--lang en: \"Serial ports\" opened and closed from the keyboard; screenshot $screens/window-en-serial-ports.png"
}

# F1 on the control that has the focus at start ("Open") opens the handbook at that control's
# section, in the window's language; the help window is photographed (help-LANGUAGE.png) and
# closed with Alt+F4, and the main window gets the focus back.
photograph_help() {
  local language=$1 help=""
  xdotool key F1
  help=$(visible_window '(Manual|Handbook)$')
  [ -n "$help" ] || fail "--lang $language: no help window after F1"
  sleep 1
  import -window root "$screens/help-$language.png"
  say "--lang $language: F1 opened \"$(xdotool getwindowname "$help")\"; screenshot $screens/help-$language.png"
  xdotool windowfocus --sync "$help"
  xdotool key --clearmodifiers alt+F4
  for _ in $(seq 40); do xdotool search --onlyvisible --name '(Manual|Handbook)$' >/dev/null 2>&1 || break; sleep 0.25; done
  xdotool search --onlyvisible --name '(Manual|Handbook)$' >/dev/null 2>&1 && fail "--lang $language: the help window did not close"
  xdotool windowfocus --sync "$wid"
}

for language in en es; do
  start_window "$language"
  photograph "$language"
  photograph_help "$language"
  [ "$language" = en ] && photograph_serial_ports
  close_window "$language"
done

trace=$(wine_path "$work/trace.txt")
start_window pt
trace=""
photograph pt
photograph_help pt
# The window's Tab order from its first control, "Abrir": the command row's ten controls and the
# help button, then the button frame's six, then "Enviar Todas Configurações de Botões e
# Atendimento".
for _ in $(seq 17); do xdotool key --delay 80 Tab; done
xdotool key space
# The settings job: 17 registers paced by the protocol; the printer names each one.
expected=17
for _ in $(seq 120); do
  [ "$(grep -c '^register ' "$work/printer.log" || true)" -ge $expected ] && break
  sleep 0.25
done
# The job ends (its dialog closes) once the printer's line is quiet: 2 s at most after the last
# register, within a minute.
quiet=0
for _ in $(seq 240); do
  before=$(stat -c %s "$work/printer.log")
  sleep 0.25
  if [ "$(stat -c %s "$work/printer.log")" = "$before" ]; then quiet=$((quiet + 1)); else quiet=0; fi
  [ $quiet -ge 8 ] && break
done
[ $quiet -ge 8 ] || { cat "$work/printer.log"; fail "the printer's line did not fall quiet within a minute"; }
sleep 1
grep '^register \|^problem' "$work/printer.log" >"$work/decoded.txt" || true
for what in "letter of button" "link of button" "first number of button" "last number of button"; do
  for b in 1 2 3 4; do
    grep -q "$what $b = " "$work/decoded.txt" || { cat "$work/printer.log"; fail "the printer did not get the $what $b"; }
  done
done
grep -q 'options = ' "$work/decoded.txt" || { cat "$work/printer.log"; fail "the printer did not get the options"; }
if grep '^problem' "$work/decoded.txt" | grep -v 'the printer needs 100 ms' | grep -q .; then
  cat "$work/printer.log"; fail "problems on the line"
fi
jitter=$(grep -c '^problem' "$work/decoded.txt" || true)
say "the virtual printer decoded the settings job: $(grep -c '^register ' "$work/decoded.txt") registers;" \
    "$jitter pauses short on arrival (the pseudo-terminal's jitter; judged at the writer below)"
# The writes in the trace alternate: "DIMP" after its pause, then the register's frame at once.
python3 - "$work/trace.txt" $expected <<'PY' || fail "the pauses at the window's writer"
import re, sys
gaps = [float(m.group(1)) for line in open(sys.argv[1], errors="replace")
        if (m := re.match(r"^Wrote \d+ bytes? to .* ms, ([\d.]+) ms after ", line))]
pauses = gaps[0::2]
short = [g for g in pauses if g < 99.9]
print(f"windows-window-check: the window's writer: {len(gaps)} writes, {len(pauses)} pauses, "
      f"shortest {min(pauses, default=0):.3f} ms, {len(short)} under 99.9 ms")
sys.exit(0 if len(pauses) == int(sys.argv[2]) and not short else 1)
PY
xdotool windowfocus --sync "$wid"
close_window pt "Configurações alteradas"
