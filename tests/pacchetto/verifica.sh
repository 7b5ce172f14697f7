#!/usr/bin/env bash
# verifica.sh desktop FILE | metainfo FILE | manuale FILE
#           | installazione BUILD SOURCE PROGRAM_FOLDER DATA_FROM_PROGRAM
# Exit 77 (skipped) when the checker is not installed; any error or warning fails.
set -euo pipefail

serve() { command -v "$1" >/dev/null || { echo "skipped: $1 missing"; exit 77; }; }

# A checker that prints nothing is content; what it prints is the reason to fail.
silenzioso() {
  local uscita
  uscita=$("$@" 2>&1) || { echo "$uscita"; return 1; }
  [ -z "$uscita" ] || { echo "$uscita"; return 1; }
}

case "$1" in
desktop)
  serve desktop-file-validate
  silenzioso desktop-file-validate "$2" ;;
metainfo)
  serve appstreamcli
  appstreamcli validate --no-net --pedantic "$2" ;;
manuale)
  serve groff
  silenzioso groff -man -ww -z -Tutf8 "$2" ;;
installazione)
  build=$2 sorgenti=$3 programma=$4 dati=$5
  radice=$(mktemp -d)
  trap 'rm -rf "$radice"' EXIT
  cmake --install "$build" --prefix "$radice" >/dev/null
  cartella="$radice/$programma"
  [ -x "$cartella/tastavia" ] || { echo "no program in $programma"; exit 1; }
  # The print module is loaded from beside the program.
  [ -f "$cartella/libtastavia-stampa.so" ] || { echo "no print module beside the program"; exit 1; }
  [ "$(readlink -f "$radice/bin/tastavia")" = "$(readlink -f "$cartella/tastavia")" ] ||
    { echo "bin/tastavia does not lead to the program"; exit 1; }
  # Every file of data/, whatever it holds, where the program looks for it.
  diff -r "$sorgenti/data" "$cartella/$dati" || { echo "installed data differ from data/"; exit 1; }
  [ "$(readlink -f "$cartella/$dati")" = "$(readlink -f "$radice/share/tastavia")" ] ||
    { echo "installed data are not in share/tastavia"; exit 1; }
  for lato in 16 24 32 48 64; do
    [ -f "$radice/share/icons/hicolor/${lato}x$lato/apps/tastavia.png" ] || { echo "no ${lato}px icon"; exit 1; }
  done
  [ -f "$radice/share/man/man1/tastavia.1" ] || { echo "no manual page"; exit 1; }
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate-tree --no-net --strict "$radice"
  fi ;;
*)
  echo "usage: $0 desktop|metainfo|manuale|installazione ..." >&2
  exit 2 ;;
esac
