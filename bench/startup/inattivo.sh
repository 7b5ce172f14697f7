#!/usr/bin/env bash
# Wake-ups at the welcome screen: Tastavia is started on a private Xvfb with the
# French layout, given a name, left at the welcome screen, and each thread's
# voluntary context switches (a sleep that ends: a wake-up) are counted over a
# span of time. Involuntary ones are preemptions by other programs, not counted.
# Environment variables given on the command line reach the program, so a
# setting can be compared with and without.
#
# Usage: bench/startup/inattivo.sh [BUILD_DIR] [-t SECONDS] [-w] [-d DISPLAY_NUMBER]
#   BUILD_DIR  a build holding program/tastavia (default build/release)
#   -w         with the openbox window manager
set -eu
cd "$(dirname "$0")/../.."
build=build/release
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then build=$1; shift; fi
secondi=10; numero=173; wm=""
while getopts "t:wd:" o; do
  case $o in t) secondi=$OPTARG ;; w) wm=openbox ;; d) numero=$OPTARG ;; *) exit 2 ;; esac
done
programma=$build/program/tastavia
[ -x "$programma" ] || { echo "missing $programma: build the targets tastavia program_data" >&2; exit 1; }

lavoro=$(mktemp -d)
pid=""; pidwm=""; xvfb=""
trap 'kill $pid $pidwm $xvfb 2>/dev/null; rm -rf "$lavoro"' EXIT
. bench/xvfb_francese.sh
if [ -n "$wm" ]; then openbox >/dev/null 2>&1 & pidwm=$!; sleep 1; fi

mkdir -p "$lavoro/home"
HOME=$lavoro/home XDG_RUNTIME_DIR=$lavoro/home "$programma" 2>/dev/null &
pid=$!
dai_nome
sleep 3   # the welcome screen settles

conta() {   # thread name and its voluntary switches, one line each
  for s in /proc/"$pid"/task/*/status; do
    awk '/^Name:/ { n = $2 } /^voluntary_ctxt_switches/ { c = $2 } END { print n, c }' "$s"
  done | sort
}
prima=$(conta)
sleep "$secondi"
dopo=$(conta)
join <(echo "$prima" | awk '{ s[$1] += $2 } END { for (n in s) print n, s[n] }' | sort) \
     <(echo "$dopo" | awk '{ s[$1] += $2 } END { for (n in s) print n, s[n] }' | sort) |
  awk -v t="$secondi" '{ d = ($3 - $2) / t; tot += d; printf "%-16s %6.1f /s\n", $1, d }
                       END { printf "%-16s %6.1f /s\n", "together", tot }'
