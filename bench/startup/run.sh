#!/usr/bin/env bash
# Start-up time to the mapped main window and resident memory once it shows,
# for Tastavia beside the peer typing tutors (TIPP10, Klavaro, KTouch), by the
# shared measuring script: private Xvfb, one priming run, five measured runs,
# medians. Builds nothing.
#
# Usage: bench/startup/run.sh [PROGRAM] [measure.sh options...]
#   PROGRAM   the release binary beside its data (default build/bench/program/tastavia)
#   options   passed on, e.g. -n 9 (runs), -d 78 (display), -o DIR (output)
# Environment: MEASURE (default ../shared/bench/peers/measure.sh beside the repository),
#              PEERS=0 to measure Tastavia alone,
#              BARE=path of finestra_nuda (built beside the benchmarks) to add the
#              bare Qt window of the same size.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
prog=$repo/build/bench/program/tastavia
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then prog=$1; shift; fi
prog=$(readlink -f "$prog")
measure=${MEASURE:-$repo/../shared/bench/peers/measure.sh}

[ -x "$prog" ] || { echo "no program at $prog: build the targets tastavia and program_data in Release" >&2; exit 1; }
[ -d "$(dirname "$prog")/Esercizi" ] || echo "warning: no data folder beside $prog (target program_data)" >&2
case $prog in *' '*) echo "the program path must not contain blanks" >&2; exit 1 ;; esac

# The main window maps with the title "Tastavia"; the title animation and the
# name dialog come after and are not part of the figure.
specs=("tastavia|$prog|^Tastavia\$")
[ -n "${BARE:-}" ] && specs+=("nuda|$(readlink -f "$BARE")|^Finestra nuda\$")
if [ "${PEERS:-1}" != 0 ]; then
  specs+=('tipp10|tipp10|^TIPP10$' 'klavaro|klavaro|^Klavaro' 'ktouch|ktouch|^Typewriting Trainer$')
fi
exec bash "$measure" -o "${OUT:-/tmp/tastavia-startup}" "$@" "${specs[@]}"
