#!/usr/bin/env bash
# Runs a test program inside weston, the way a Wayland desktop runs Tastavia:
# weston's x11 backend draws into a private Xvfb (whose screen the test reads
# back through TASTAVIA_SCHERMO_X), the program talks Wayland to it, or X11
# through Xwayland with --xwayland.
#   run_weston.sh [--xwayland] program [arguments]
# Exit 77 (skipped) when Xvfb, weston, Qt's Wayland plugin or Xwayland are missing.
set -u
xwayland=0
if [ "${1:-}" = "--xwayland" ]; then
  xwayland=1
  shift
fi
for tool in Xvfb weston; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool missing"; exit 77; }
done
if [ $xwayland = 1 ]; then
  command -v Xwayland >/dev/null || { echo "skipped: Xwayland missing"; exit 77; }
else
  plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
  ls "$plugins"/platforms/libqwayland-*.so >/dev/null 2>&1 || { echo "skipped: qt6-wayland missing"; exit 77; }
fi

runtime=$(mktemp -d)
chmod 700 "$runtime"
numero="$runtime/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$numero" >/dev/null 2>&1 &
xvfb=$!
weston=""
trap 'kill $weston 2>/dev/null; wait $weston 2>/dev/null; kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -rf "$runtime"' EXIT
for _ in $(seq 100); do
  [ -s "$numero" ] && break
  sleep 0.05
done
schermo=":$(head -n 1 "$numero")"
[ "$schermo" != ":" ] || { echo "skipped: Xvfb did not start"; exit 77; }

opzioni=(--backend=x11-backend.so --socket=tastavia --width=1024 --height=768 --idle-time=0
         --log="$runtime/weston.log")
[ $xwayland = 1 ] && opzioni+=(--xwayland)
env -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$runtime" DISPLAY="$schermo" weston "${opzioni[@]}" &
weston=$!
pronto=0
for _ in $(seq 100); do
  if [ -S "$runtime/tastavia" ] && grep -q "launching '.*weston-desktop-shell'" "$runtime/weston.log" 2>/dev/null; then
    pronto=1
    break
  fi
  sleep 0.1
done
[ $pronto = 1 ] || { echo "skipped: weston did not start"; cat "$runtime/weston.log" 2>/dev/null; exit 77; }
sleep 1   # the shell's panel and background

# Qt's Wayland plugin leaves allocations of libwayland-client at exit (see
# tests/lsan.supp); the full stacks name it where the fast unwinder stops in a
# library already unloaded.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0"
if [ $xwayland = 1 ]; then
  x=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$runtime/weston.log" | tail -n 1)
  [ -n "$x" ] || { echo "skipped: weston started no Xwayland"; exit 77; }
  env -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$runtime" DISPLAY="$x" TASTAVIA_SCHERMO_X="$schermo" \
    LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$@"
else
  env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=tastavia TASTAVIA_SCHERMO_X="$schermo" \
    LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=wayland "$@"
fi
