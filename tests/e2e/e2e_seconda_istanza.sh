#!/usr/bin/env bash
# A second start of the real program, on the X server run_xvfb.sh made:
#   e2e_seconda_istanza.sh PROGRAM_FOLDER
# --version and --help print and end without a window; a learner starts
# Tastavia, answers the name, covers its window with another one, starts
# Tastavia again with a file: the second start ends at once with status 0 and
# the first window is on top again (and active, under a window manager).
set -u
sorgente=$1
lavoro=$(mktemp -d)
pid=""
fine() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; [ -n "${copertura:-}" ] && kill "$copertura" 2>/dev/null; rm -rf "$lavoro"; }
trap fine EXIT
fallito() { echo "FAILED: $*" >&2; [ -f "$lavoro/a.log" ] && tail -20 "$lavoro/a.log" >&2; exit 1; }
command -v xmessage >/dev/null && command -v xwininfo >/dev/null || { echo "skipped: x11-utils missing"; exit 77; }

cp -r "$sorgente" "$lavoro/programma"
export HOME=$lavoro/home XDG_DATA_HOME=$lavoro/home/.local/share XDG_RUNTIME_DIR=$lavoro/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
tastavia=$lavoro/programma/tastavia

"$tastavia" --version | grep -q "^Tastavia Versione [0-9]" || fallito "--version"
"$tastavia" --help | grep -q -- "--version" || fallito "--help"
"$tastavia" --sconosciuta 2>/dev/null && fallito "an unknown option did not fail"

"$tastavia" >"$lavoro/a.log" 2>&1 &
pid=$!
# The program's visible windows as "id width" lines.
finestre() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    echo "$w $(xdotool getwindowgeometry --shell "$w" | sed -n 's/^WIDTH=//p')"
  done
}
aspetta() {   # aspetta WHAT COMMAND...
  local cosa=$1
  shift
  for _ in $(seq 600); do
    "$@" && return 0
    kill -0 "$pid" 2>/dev/null || fallito "the program ended while waiting for $cosa"
    sleep 0.1
  done
  fallito "waited in vain for $cosa"
}
dialogo() { finestre | awk '$2 < 700 { f = 1 } END { exit !f }'; }
principale() { finestre | awk '$2 < 700 { p++ } $2 >= 700 { g++; w = $1 } END { if (p || g != 1) exit 1; print w }'; }
aspetta "the name dialog" dialogo
sleep 0.5
xdotool type --delay 50 ANNA
xdotool key Return
aspetta "the main window" principale >/dev/null
w=$(principale)
sleep 2   # the welcome

# The windows from the top down: the window manager's list when there is one,
# otherwise the X server's stacking order.
dallAlto() {
  if xprop -root _NET_CLIENT_LIST_STACKING >/dev/null 2>&1 &&
     xprop -root _NET_CLIENT_LIST_STACKING | grep -q 0x; then
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, /\n/g' | tac
  else
    xwininfo -root -children | awk '$1 ~ /^0x/ { print $1 }'
  fi | while read -r x; do printf '%d\n' "$x"; done
}
sopra() { [ "$(dallAlto | grep -E -x -m1 "$1|$2")" = "$1" ]; }

xmessage -name copertura -geometry 1024x768+0+0 "copertura" >/dev/null 2>&1 &
copertura=$!
for _ in $(seq 100); do c=$(xdotool search --onlyvisible --name '^copertura$' 2>/dev/null | head -1); [ -n "$c" ] && break; sleep 0.1; done
[ -n "$c" ] || fallito "the covering window did not show"
xdotool windowactivate "$c" 2>/dev/null || xdotool windowraise "$c"
sleep 0.5
sopra "$c" "$w" || fallito "the covering window is not above Tastavia"

inizio=$(date +%s)
"$tastavia" Le_marche.txt >"$lavoro/b.log" 2>&1
stato=$?
[ $stato = 0 ] || fallito "the second start ended with status $stato"
[ $(( $(date +%s) - inizio )) -lt 10 ] || fallito "the second start took too long"
[ -z "$(xdotool search --onlyvisible --name '^Tastavia$' 2>/dev/null | grep -v -x -F "$(xdotool search --pid "$pid")")" ] ||
  fallito "the second start showed a window"
for _ in $(seq 50); do sopra "$w" "$c" && break; sleep 0.1; done
sopra "$w" "$c" || fallito "the first window did not come forward"
if xprop -root _NET_ACTIVE_WINDOW 2>/dev/null | grep -q 0x; then
  [ "$(xdotool getactivewindow)" = "$w" ] || fallito "the first window is on top but not active"
fi
kill -0 "$pid" || fallito "the first program ended"
kill -TERM "$pid"
wait "$pid"
stato=$?
pid=""
[ $stato = 0 ] || fallito "the first program ended with status $stato on SIGTERM"
echo "passed"
