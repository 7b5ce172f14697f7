#!/usr/bin/env bash
# Renders the SVG artwork into the PNGs the program loads. Run after changing an
# SVG (resources/images/keyboard/genera.py writes the keyboard ones).
# Usage: resources/render_png.sh [build folder, default build/dev]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/.." && pwd)
build=${1:-$repo/build/dev}
cmake --build "$build" --target svg2png >/dev/null
tool=$(find "$build" -name svg2png -type f -perm -u+x | head -1)
export QT_QPA_PLATFORM=offscreen
r() { "$tool" "$here/$1" "$here/$2" "$3" "$4"; }

for n in 0 1 2 3 4 5 6 7 8 9; do
  r "images/keyboard/dito$n.svg" "images/keyboard/dito$n.png" 32 32
done
r images/keyboard/mappa-tasti.svg images/keyboard/mappa-tasti.png 622 47
r cursors/mano.svg cursors/mano.png 32 32
for s in 16 24 32 48 64; do
  r images/tastavia.svg "images/icon/tastavia-$s.png" "$s" "$s"
done
r images/report/striscia.svg images/report/striscia.png 130 24
r images/report/freccia-return.svg images/report/freccia-return.png 32 32
# The training-and-game window.
for n in faccia-ok faccia-no; do
  r "images/game/$n.svg" "images/game/$n.png" 30 30
done
r images/game/trofeo.svg images/game/trofeo.png 44 44
r images/game/trofeo.svg images/game/trofeo-piccolo.png 24 24
r images/game/errore.svg images/game/errore.png 44 44
r images/game/freccia.svg images/game/freccia.png 40 40
r images/game/ricomincia.svg images/game/ricomincia.png 22 22
for n in cronometro ok ko totale media; do
  r "images/game/$n.svg" "images/game/$n.png" 24 24
done
r images/game/note.svg images/game/note.png 360 32
