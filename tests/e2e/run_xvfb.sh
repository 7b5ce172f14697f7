#!/usr/bin/env bash
# Runs a test program on a private Xvfb with the French keyboard layout.
#   run_xvfb.sh [--wm openbox] program [arguments]
# Without --wm no window manager runs, as on a kiosk or a minimal desktop.
# Exit 77 (skipped) when Xvfb, setxkbmap, xdotool or the window manager are missing.
set -u
wm=""
if [ "${1:-}" = "--wm" ]; then
  wm=$2
  shift 2
fi
for tool in Xvfb setxkbmap xdotool $wm; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool missing"; exit 77; }
done
# Xvfb picks a free display itself and tells its number: no race with other runs.
# -noreset: otherwise the keymap resets whenever the last client leaves.
numero=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$numero" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$numero" ] && break
  sleep 0.05
done
display=":$(head -n 1 "$numero")"
rm -f "$numero"
[ "$display" != ":" ] || { echo "skipped: Xvfb did not start"; exit 77; }
wmpid=""
trap 'kill $wmpid $xvfb 2>/dev/null; wait $xvfb 2>/dev/null' EXIT
for _ in $(seq 50); do
  DISPLAY=$display xdotool getmouselocation >/dev/null 2>&1 && break
  sleep 0.1
done
DISPLAY=$display setxkbmap fr || { echo "skipped: no French layout"; exit 77; }
if [ -n "$wm" ]; then
  DISPLAY=$display "$wm" >/dev/null 2>&1 &
  wmpid=$!
  sleep 1
fi
DISPLAY=$display LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$@"
