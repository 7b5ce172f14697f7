#!/usr/bin/env bash
# Builds the Debian package in a fresh Debian 12, as a packager or a build daemon would:
#   packaging/build-chroot.sh [--check]
# Unpacks the minbase system packaging/test-chroot.sh keeps (build/chroot, made on
# first use), installs build-essential and the source package's Build-Depends by
# apt, copies the committed tree (git archive HEAD) into it and runs
# dpkg-buildpackage -us -uc -b there, without its tests unless --check is given.
# The packages land in build/chroot/paket/ and lintian --pedantic checks the
# .changes on the host. Needs root for chroot and mounts; too slow for ./test.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || exec sudo "$0" "$@"

profili="nocheck"
[ "${1:-}" = "--check" ] && profili=""

lavoro=$PWD/build/chroot
radice=$lavoro/build-root
base=$lavoro/minbase-bookworm.tar
uscita=$lavoro/paket
passo() { printf '\n== %s\n' "$*"; }
fallito() { echo "FAILED: $*" >&2; exit 1; }

[ -f "$base" ] || { echo "no $base: run packaging/test-chroot.sh once first" >&2; exit 1; }
montati() { awk -v r="$radice/" 'index($5, r) == 1 { print $5 }' /proc/self/mountinfo | sort -r; }
smonta() { local m; for m in $(montati); do umount -l "$m" || true; done; }
rimuovi() {
  smonta
  [ -z "$(montati)" ] || fallito "still mounted under $radice: $(montati)"
  rm -rf --one-file-system "$radice"
}
trap 'set +e; smonta; rimuovi' EXIT

rimuovi
passo "a fresh minbase from $base"
mkdir -p "$radice"
tar -C "$radice" -xf "$base"
cp /etc/resolv.conf "$radice/etc/resolv.conf"
grep -q bookworm "$radice/etc/apt/sources.list" 2>/dev/null ||
  echo "deb http://deb.debian.org/debian bookworm main" >"$radice/etc/apt/sources.list"
mount -t proc proc "$radice/proc"
mount --bind /dev "$radice/dev"
dentro() { chroot "$radice" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 \
             DEBIAN_FRONTEND=noninteractive HOME=/root "$@"; }

# Build-Depends as one line, build profiles honoured by apt.
dipendenze=$(awk '/^Build-Depends:/ { sub(/^Build-Depends:/, ""); on = 1 }
                  on && /^[A-Z][A-Za-z-]*:/ && !/^Build-Depends:/ { on = 0 }
                  on { printf "%s", $0 }' debian/control | tr -s ' ' | sed 's/,[[:space:]]*$//')
passo "apt-get install build-essential and the Build-Depends (profiles: ${profili:-none})"
dentro apt-get update -qq
dentro apt-get install -y -qq --no-install-recommends build-essential >"$lavoro/build-apt.log" 2>&1 ||
  { tail -20 "$lavoro/build-apt.log"; fallito "build-essential"; }
dentro apt-get satisfy -y -qq --no-install-recommends ${profili:+-P $profili} "$dipendenze" \
  >>"$lavoro/build-apt.log" 2>&1 || { tail -20 "$lavoro/build-apt.log"; fallito "Build-Depends"; }

passo "dpkg-buildpackage -us -uc -b on git archive HEAD"
mkdir -p "$radice/build/tastavia"
git archive HEAD | tar -x -C "$radice/build/tastavia"
dentro sh -c "cd /build/tastavia && DEB_BUILD_OPTIONS='$profili' DEB_BUILD_PROFILES='$profili' \
  dpkg-buildpackage -us -uc -b -j$(nproc)" >"$lavoro/build-dpkg.log" 2>&1 ||
  { tail -30 "$lavoro/build-dpkg.log"; fallito "dpkg-buildpackage"; }

rm -rf "$uscita" && mkdir -p "$uscita"
cp "$radice"/build/*.deb "$radice"/build/*.changes "$radice"/build/*.buildinfo "$uscita"/
ls -l "$uscita"
if command -v lintian >/dev/null; then
  passo "lintian --pedantic"
  (cd "$uscita" && lintian --pedantic --fail-on error,warning ./*.changes)
fi
passo "built"
