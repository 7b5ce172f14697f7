#!/usr/bin/env bash
# Installs the package into a fresh Debian 12 and runs it there:
#   packaging/test-chroot.sh [--fresh] [--keep] [package.deb]
# A minbase system from debootstrap (kept as a tarball in build/chroot and
# unpacked anew for every run; --fresh bootstraps again) gets the package by
# apt, with only what its Depends name. The program then runs as an ordinary
# user on an Xvfb outside the chroot (its socket bind-mounted): the script
# types a learner's name, finds the main window, saves a screenshot
# (build/chroot/tastavia.png), ends the program as a session would, and checks
# that settings and material went to the learner's data folder and nothing
# into the installed tree. Without a package it makes one (package.sh).
# Needs root for debootstrap, chroot and mounts; too slow for ./test.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || exec sudo "$0" "$@"

fresh=0 keep=0 deb=""
for a in "$@"; do
  case "$a" in
  --fresh) fresh=1 ;;
  --keep) keep=1 ;;
  *) deb=$(readlink -f "$a") ;;
  esac
done

. cmake/packages.sh
TASTAVIA_PACKAGES="debootstrap xvfb xauth xdotool x11-xkb-utils imagemagick"
tastavia_install_packages
[ -n "$deb" ] || deb=$(packaging/package.sh --no-check | tail -n 1)
[ -f "$deb" ] || { echo "no package: $deb"; exit 1; }

lavoro=$PWD/build/chroot
radice=$lavoro/root
base=$lavoro/minbase-bookworm.tar
mkdir -p "$lavoro"

passo() { printf '\n== %s\n' "$*"; }
fallito() { echo "FAILED: $*" >&2; exit 1; }

# Mount points under the chroot, deepest first.
montati() { awk -v r="$radice/" 'index($5, r) == 1 { print $5 }' /proc/self/mountinfo | sort -r; }
smonta() {
  local m
  for m in $(montati); do umount -l "$m" || true; done
}
# Never delete a tree that still has the host's /dev or X socket inside.
rimuovi() {
  smonta
  [ -z "$(montati)" ] || fallito "still mounted under $radice: $(montati)"
  rm -rf --one-file-system "$radice"
}

xvfb="" programma=""
pulisci() {
  set +e
  [ -n "$programma" ] && kill "$programma" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  smonta
  [ $keep = 1 ] || rimuovi
}
trap pulisci EXIT

# The Debian mirror this machine's apt uses, for the suite given.
specchio() {
  local suite=$1 u
  u=$(grep -hsE "^deb[[:space:]]+(\[[^]]*\][[:space:]]+)?[a-z]+://[^[:space:]]+[[:space:]]+$suite[[:space:]]" \
        /etc/apt/sources.list /etc/apt/sources.list.d/*.list |
      sed -E 's/^deb[[:space:]]+(\[[^]]*\][[:space:]]+)?//' | awk '{ print $1; exit }')
  [ -n "$u" ] || u=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk -v s="$suite" '
      BEGIN { RS = "" }
      {
        uri = ""; ok = 0
        n = split($0, righe, "\n")
        for (i = 1; i <= n; i++) {
          if (righe[i] ~ /^URIs:/) { split(righe[i], c, /[ \t]+/); uri = c[2] }
          if (righe[i] ~ /^Suites:/) { m = split(righe[i], c, /[ \t]+/); for (j = 2; j <= m; j++) if (c[j] == s) ok = 1 }
          if (righe[i] ~ /^Types:/ && righe[i] !~ /[ \t]deb([ \t]|$)/) { ok = -99 }
        }
        if (ok == 1 && uri != "") { print uri; exit }
      }')
  echo "$u"
}
mirror=$(specchio bookworm)
[ -n "$mirror" ] || mirror=http://deb.debian.org/debian
security=$(specchio bookworm-security)

rimuovi
if [ $fresh = 1 ] || [ ! -f "$base" ]; then
  passo "debootstrap --variant=minbase bookworm from $mirror"
  debootstrap --variant=minbase bookworm "$radice" "$mirror" >"$lavoro/debootstrap.log" 2>&1 ||
    { tail -20 "$lavoro/debootstrap.log"; fallito "debootstrap"; }
  tar -C "$radice" -cf "$base.tmp" . && mv "$base.tmp" "$base"
else
  passo "a fresh minbase from $base"
  mkdir -p "$radice"
  tar -C "$radice" -xf "$base"
fi

{
  echo "deb $mirror bookworm main"
  echo "deb $mirror bookworm-updates main"
  [ -z "$security" ] || echo "deb $security bookworm-security main"
} >"$radice/etc/apt/sources.list"
cp /etc/resolv.conf "$radice/etc/resolv.conf"
printf '#!/bin/sh\nexit 101\n' >"$radice/usr/sbin/policy-rc.d"   # no daemons start
chmod 755 "$radice/usr/sbin/policy-rc.d"
mount -t proc proc "$radice/proc"
mount --bind /dev "$radice/dev"
dentro() { chroot "$radice" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 \
             DEBIAN_FRONTEND=noninteractive "$@"; }

passo "apt-get install --no-install-recommends $(basename "$deb")"
cp "$deb" "$radice/tmp/"
prima=$(dentro dpkg-query -W -f '${Package}\n' | sort)
dentro apt-get update -qq
dentro apt-get install -y -qq --no-install-recommends "/tmp/$(basename "$deb")" >"$lavoro/apt.log" 2>&1 ||
  { tail -20 "$lavoro/apt.log"; fallito "apt-get install"; }
dopo=$(dentro dpkg-query -W -f '${Package}\n' | sort)
nuovi=$(comm -13 <(echo "$prima") <(echo "$dopo"))
echo "$(echo "$nuovi" | wc -l) packages installed: $(echo "$nuovi" | tr '\n' ' ')"
dentro dpkg-query -W -f '${Status}' tastavia | grep -q "install ok installed" || fallito "tastavia not installed"
for consigliato in libpulse0 xdg-utils qt6-wayland; do
  ! echo "$nuovi" | grep -qx "$consigliato" || fallito "$consigliato came in, but it is only recommended"
done
mancanti=$(dentro ldd /usr/libexec/tastavia/tastavia /usr/libexec/tastavia/libtastavia-stampa.so | grep "not found" || true)
[ -z "$mancanti" ] || fallito "libraries missing from Depends: $mancanti"
echo "the program and its print module find every library they link"

passo "a learner starts Tastavia on Xvfb"
dentro useradd -m -s /bin/sh allievo
uid=$(dentro id -u allievo)
mkdir -p "$radice/run/user/$uid"
chown "$uid:$uid" "$radice/run/user/$uid"
chmod 700 "$radice/run/user/$uid"
mkdir -p "$radice/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$radice/tmp/.X11-unix"
numero=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$numero" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$numero" ] && break; sleep 0.1; done
display=":$(head -n 1 "$numero")"
rm -f "$numero"
[ "$display" != ":" ] || fallito "Xvfb did not start"
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
setxkbmap fr
touch "$lavoro/inizio"
sleep 1   # file times of the installed tree are compared with this moment

chroot --userspec="$uid:$uid" "$radice" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/home/allievo USER=allievo \
  LOGNAME=allievo XDG_RUNTIME_DIR="/run/user/$uid" DISPLAY="$display" LANG=C.UTF-8 \
  /usr/bin/tastavia >"$lavoro/tastavia.log" 2>&1 &
programma=$!

# The program's visible windows, as "id width" lines.
finestre() {
  local w
  for w in $(xdotool search --onlyvisible --name '^Tastavia$' 2>/dev/null); do
    echo "$w $(xdotool getwindowgeometry --shell "$w" | sed -n 's/^WIDTH=//p')"
  done
}
# The name dialog: a small window. The main window: a large one, once no small
# window (the dialog) nor the dimming backdrop behind it is left.
dialogo() { finestre | awk '$2 < 700 { f = 1 } END { exit !f }'; }
principale() { finestre | awk '$2 < 700 { piccole++ } $2 >= 700 { grandi++; w = $1 }
                               END { if (piccole || grandi != 1) exit 1; print w }'; }
aspetta() {   # aspetta WHAT SECONDS COMMAND...
  local cosa=$1 secondi=$2
  shift 2
  for _ in $(seq $((secondi * 10))); do
    "$@" && return 0
    kill -0 "$programma" 2>/dev/null || { cat "$lavoro/tastavia.log" >&2; fallito "the program ended while waiting for $cosa"; }
    sleep 0.1
  done
  cat "$lavoro/tastavia.log" >&2
  import -window root "$lavoro/tastavia.png" 2>/dev/null || true
  fallito "waited in vain for $cosa"
}
# The name dialog asks first; it takes the keyboard itself.
aspetta "the name dialog" 30 dialogo
sleep 0.5
xdotool type --delay 50 ANNA
xdotool key Return
aspetta "the main window alone" 30 principale >/dev/null
sleep 1   # the welcome text appears
xdotool getwindowgeometry "$(principale)"
import -window root "$lavoro/tastavia.png"
echo "screenshot: $lavoro/tastavia.png"
readlink "/proc/$programma/exe" | grep -q "/usr/libexec/tastavia/tastavia" ||
  fallito "the process is not the installed program: $(readlink "/proc/$programma/exe")"

passo "the session ends (SIGTERM): the program closes and saves its settings"
kill -TERM "$programma"
for _ in $(seq 100); do kill -0 "$programma" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$programma" 2>/dev/null || fallito "the program did not end on SIGTERM"
wait "$programma" && stato=0 || stato=$?
programma=""
[ "$stato" = 0 ] || { cat "$lavoro/tastavia.log"; fallito "the program ended with status $stato"; }

passo "where things went"
cartella=$radice/home/allievo/.local/share/Tastavia
[ -s "$cartella/Tastavia.ini" ] || fallito "no settings in the learner's data folder"
grep -q "ANNA" "$cartella/Tastavia.ini" || echo "(the name is not remembered: the dialog's choice)"
echo "settings: /home/allievo/.local/share/Tastavia/Tastavia.ini"
sed 's/^/  /' "$cartella/Tastavia.ini"
[ "$(stat -c %U "$cartella/Tastavia.ini")" != root ] || fallito "the settings belong to root"
spediti=0
while IFS= read -r f; do
  cmp -s "$radice/usr/share/tastavia/$f" "$cartella/$f" || fallito "the learner's folder lacks $f"
  spediti=$((spediti + 1))
done < <(cd "$radice/usr/share/tastavia" && find . -type f | sed 's|^\./||')
echo "all $spediti shipped files are in the learner's folder"
scritti=$(find "$radice/usr" "$radice/etc" -newer "$lavoro/inizio" \( -type f -o -type d \) -print | sed "s|^$radice||")
[ -z "$scritti" ] || fallito "written outside the learner's home: $scritti"
verifica=$(dentro dpkg --verify tastavia || true)
[ -z "$verifica" ] || fallito "installed files changed: $verifica"
echo "nothing written into /usr or /etc; dpkg --verify finds the package's files unchanged"
passo "passed"
