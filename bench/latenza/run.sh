#!/usr/bin/env bash
# Key-to-pixels latency, Tastavia beside a bare Qt line edit of the same window
# size, on a private Xvfb with the French layout: each key pressed through XTEST,
# timed until the window's first drawing after it (tasti_pixel). Tastavia types
# a text file (its heaviest mode: the model line moves at every key); the bare
# window types the same keys. Rounds alternate the two programs.
#
# Usage: bench/latenza/run.sh [BUILD_DIR] [-n KEYS] [-r ROUNDS] [-d DISPLAY_NUMBER] [-s WxH]
#   BUILD_DIR  a release build with the benchmarks (default build/bench), holding
#              program/tastavia with its data, bench/finestra_nuda and bench/tasti_pixel
# Needs: xvfb, setxkbmap, xdotool, and libxdamage-dev libxtst-dev for the driver.
set -eu
cd "$(dirname "$0")/../.."
build=build/bench
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then build=$1; shift; fi
tasti=300; giri=3; numero=171; schermo=1280x1024
while getopts "n:r:d:s:" o; do
  case $o in n) tasti=$OPTARG ;; r) giri=$OPTARG ;; d) numero=$OPTARG ;; s) schermo=$OPTARG ;; *) exit 2 ;; esac
done
programma=$build/program/tastavia
nuda=$build/bench/finestra_nuda
driver=$build/bench/tasti_pixel
for f in "$programma" "$nuda" "$driver"; do
  [ -x "$f" ] || { echo "missing $f: build the targets tastavia program_data finestra_nuda tasti_pixel" >&2; exit 1; }
done

lavoro=$(mktemp -d)
export DISPLAY=:$numero LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
# -noreset: otherwise the keymap is reset whenever the last client leaves.
Xvfb "$DISPLAY" -noreset -screen 0 "${schermo}x24" >/dev/null 2>&1 &
xvfb=$!
pid=""
trap 'kill $pid $xvfb 2>/dev/null; rm -rf "$lavoro"' EXIT
attendi() {   # up to 10 s for the command to succeed
  for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
francese() { setxkbmap -query | grep -q '^layout: *fr$'; }
attendi xdotool getmouselocation
setxkbmap fr
# The driver reads the keymap once: the keys it sends must be the French ones.
attendi francese || { echo "the French layout could not be set" >&2; exit 1; }
parole="azerty uiop qsdf ghjk lmwx cvbn "
python3 -c "import sys; print(sys.argv[1] * 400)" "$parole" > "$lavoro/prova.txt"

finestre() { xdotool search --onlyvisible --pid "$pid" "$@" 2>/dev/null; }
due_finestre() { [ "$(finestre | wc -l)" -ge 2 ]; }
una_finestra() { [ "$(finestre | wc -l)" -eq 1 ]; }

misura() {   # name, window
  "$driver" "$2" "$tasti" "$parole" "$lavoro/$1.$giro.txt" | sed "s/^/$1 round $giro: /"
  # Keys that reached no text are drawn only by the next blink: a lost round.
  if [ "$(sort -n "$lavoro/$1.$giro.txt" | awk '{ v[NR] = $1 } END { print (v[int(NR/2)+1] > 50000) }')" = 1 ]; then
    echo "$1 round $giro left out: the keys did not reach the text"
    rm "$lavoro/$1.$giro.txt"
  fi
}

for giro in $(seq "$giri"); do
  "$nuda" 2>/dev/null &
  pid=$!
  attendi finestre; sleep 1
  w=$(finestre | head -1)
  misura nuda "$w"
  kill $pid; wait $pid 2>/dev/null || true

  rm -rf "$lavoro/home" && mkdir -p "$lavoro/home"
  HOME=$lavoro/home XDG_RUNTIME_DIR=$lavoro/home "$programma" "$lavoro/prova.txt" 2>/dev/null &
  pid=$!
  # The name dialog comes over the main window: two windows of the process.
  attendi due_finestre; sleep 0.5
  xdotool type ANNA; xdotool key Return               # the name, then the welcome
  attendi una_finestra || { xdotool key Return; attendi una_finestra; }
  sleep 1.5
  xdotool key Return                                  # Enter starts the text
  attendi finestre --name 'File:' || { echo "the text did not start" >&2; exit 1; }
  w=$(finestre --name 'File:' | head -1)
  sleep 0.5
  misura tastavia "$w"
  [ -z "${SHOTS:-}" ] || import -window root "$SHOTS/tastavia.$giro.png"
  kill $pid; wait $pid 2>/dev/null || true
done

# Medians over all rounds.
for nome in nuda tastavia; do
  sort -n "$lavoro"/$nome.*.txt | awk -v n=$nome '{ v[NR] = $1 } END {
    printf "%-9s keys %d  median %.0f us  p90 %.0f us  p99 %.0f us\n", n, NR, v[int(NR/2)+1], v[int(NR*0.9)], v[int(NR*0.99)] }'
done
