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
pid=""; xvfb=""
trap 'kill $pid $xvfb 2>/dev/null; rm -rf "$lavoro"' EXIT
# The driver reads the keymap once: the keys it sends must be the French ones.
. bench/xvfb_francese.sh
parole="azerty uiop qsdf ghjk lmwx cvbn "
python3 -c "import sys; print(sys.argv[1] * 400)" "$parole" > "$lavoro/prova.txt"

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
  dai_nome; sleep 1.5                                 # the name, then the welcome
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
