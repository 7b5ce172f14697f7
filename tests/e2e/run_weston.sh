#!/usr/bin/env bash
# Runs a test program inside weston, as on a Wayland desktop: an Xvfb holds
# weston's x11 backend (input reaches weston there, and the test reads the
# screen back from it through TASTAVIA_SCHERMO_X), weston's keymap is LAYOUT,
# and the program runs through Xwayland or natively.
#   run_weston.sh LAYOUT xwayland|wayland program [arguments]
# weston's x11 backend takes its keymap from the X server that holds it: the
# Xvfb gets LAYOUT, and xdotool's keys there reach weston as key positions.
# Exit 77 (skipped) when Xvfb, weston, Xwayland, xdotool or Qt's Wayland
# plugin are missing.
set -u
layout=$1
modo=$2
shift 2
for tool in Xvfb weston Xwayland xdotool setxkbmap xkbcomp; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool missing"; exit 77; }
done
if [ "$modo" = wayland ] && ! ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1; then
  echo "skipped: qt6-wayland missing"; exit 77
fi
cartella=$(mktemp -d)
chmod 700 "$cartella"
numero="$cartella/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$numero" >/dev/null 2>&1 &
xvfb=$!
wpid=""
trap 'kill $wpid $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -rf "$cartella"' EXIT
for _ in $(seq 100); do
  [ -s "$numero" ] && break
  sleep 0.05
done
esterno=":$(head -n 1 "$numero")"
[ "$esterno" != ":" ] || { echo "skipped: Xvfb did not start"; exit 77; }
for _ in $(seq 50); do
  DISPLAY=$esterno xdotool getmouselocation >/dev/null 2>&1 && break
  sleep 0.1
done
variante=""
case "$layout" in *\(*\)) variante=${layout#*(}; variante=${variante%)}; layout=${layout%%(*} ;; esac
DISPLAY=$esterno setxkbmap -layout "$layout" -variant "$variante"
cat > "$cartella/weston.ini" <<INI
[core]
xwayland=true
idle-time=0
[keyboard]
keymap_layout=$layout
keymap_variant=$variante
[shell]
panel-position=none
locking=false
INI
DISPLAY=$esterno XDG_RUNTIME_DIR=$cartella weston --backend=x11-backend.so --config="$cartella/weston.ini" \
  --socket=wl-tastavia --width=1024 --height=768 --log="$cartella/weston.log" >/dev/null 2>&1 &
wpid=$!
xwayland=""
for _ in $(seq 100); do
  xwayland=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$cartella/weston.log" 2>/dev/null | head -n 1)
  [ -n "$xwayland" ] && break
  sleep 0.1
done
[ -n "$xwayland" ] || { echo "skipped: weston did not start Xwayland"; cat "$cartella/weston.log"; exit 77; }
sleep 1
# Without a window manager the keyboard follows the pointer: onto weston's window.
DISPLAY=$esterno xdotool mousemove 500 400
# Qt's Wayland plugin leaves allocations of libwayland-client at exit (see
# tests/lsan.supp); the full stacks name it where the fast unwinder stops in a
# library already unloaded.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0"
export TASTAVIA_XDOTOOL_DISPLAY=$esterno TASTAVIA_SCHERMO_X=$esterno TASTAVIA_XWAYLAND=$xwayland XDG_RUNTIME_DIR=$cartella LANG=C.UTF-8 LC_ALL=C.UTF-8
if [ "$modo" = wayland ]; then
  env -u DISPLAY WAYLAND_DISPLAY=wl-tastavia QT_QPA_PLATFORM=wayland "$@"
else
  env -u WAYLAND_DISPLAY DISPLAY=$xwayland QT_QPA_PLATFORM=xcb "$@"
fi
