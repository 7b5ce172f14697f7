# Sourced by the benchmark scripts that drive the program through a private X
# server: Xvfb on display $numero (size $schermo, default 1280x1024) with the
# French layout confirmed, and helpers to wait for the program's windows.
# Sets DISPLAY and xvfb (its pid); the caller kills $xvfb on exit.
export DISPLAY=:$numero LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
# -noreset: otherwise the keymap is reset whenever the last client leaves.
Xvfb "$DISPLAY" -noreset -screen 0 "${schermo:-1280x1024}x24" >/dev/null 2>&1 &
xvfb=$!
attendi() {   # up to 10 s for the command to succeed
  for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
francese() { setxkbmap -query | grep -q '^layout: *fr$'; }
attendi xdotool getmouselocation
setxkbmap fr
attendi francese || { echo "the French layout could not be set" >&2; exit 1; }

# The windows of the program started as $pid.
finestre() { xdotool search --onlyvisible --pid "$pid" "$@" 2>/dev/null; }
due_finestre() { [ "$(finestre | wc -l)" -ge 2 ]; }
una_finestra() { [ "$(finestre | wc -l)" -eq 1 ]; }
# The name dialog comes over the main window (two windows of the process): a
# name typed, and the dialog gone.
dai_nome() {
  attendi due_finestre || { echo "the name dialog did not show" >&2; exit 1; }
  sleep 0.5
  xdotool type ANNA; xdotool key Return
  attendi una_finestra || { xdotool key Return; attendi una_finestra; }
}
