#!/usr/bin/env bash
# Where the start-up time goes: runs the program under a private Xvfb with
# marks.c preloaded, once with the French layout already active and once with
# a US layout (the program then loads the French keymap before it shows), and
# prints the timestamps up to the map of the main window.
#
# Usage: bench/startup/trace.sh [PROGRAM] [DISPLAYNUM]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
prog=$(readlink -f "${1:-$repo/build/bench/program/tastavia}")
dnum=${2:-79}
work=$(mktemp -d)
gcc -shared -fPIC -O2 -o "$work/marks.so" "$here/marks.c" -ldl
[ -e "/tmp/.X11-unix/X$dnum" ] && { echo "display :$dnum in use" >&2; exit 1; }
# -noreset keeps the layout set below between runs.
Xvfb ":$dnum" -noreset -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 1 100); do xwininfo -display ":$dnum" -root >/dev/null 2>&1 && break; sleep 0.05; done
export DISPLAY=":$dnum" XDG_RUNTIME_DIR="$work/run" HOME="$work"
mkdir -m 700 "$work/run"
for layout in ${LAYOUTS:-fr us}; do
  for run in 1 2 3; do
    setxkbmap "$layout"; sleep 1   # let the server finish compiling the keymap
    echo "== layout $layout, run $run"
    MARKS_EXIT_AT_MAP=1 LD_PRELOAD="$work/marks.so" "$prog" 2>&1 >/dev/null | grep '^\[' || true
  done
done
