#!/usr/bin/env bash
# Builds the Debian package of Tastavia from debian/ and checks it:
#   packaging/package.sh [--no-check] [--no-test]
# Installs what is missing (the build's packages and the packaging tools),
# runs dpkg-buildpackage -us -uc -b on a copy of the tree in build/package
# (the tests that need no X server run unless --no-test), then lintian
# --pedantic on the .changes, desktop-file-validate and appstreamcli on the
# .deb. Prints the path of the package on its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
. cmake/packages.sh
TASTAVIA_PACKAGES="$TASTAVIA_PACKAGES $TASTAVIA_PACKAGES_TEST dpkg-dev debhelper fakeroot file lintian rsync"
tastavia_install_packages

verifica=1
for a in "$@"; do
  case "$a" in
  --no-check) verifica=0 ;;
  --no-test) export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-} nocheck" ;;
  esac
done

# A clean copy of the tracked tree: no build folders, nothing uncommitted
# beyond what git knows of.
lavoro=$PWD/build/package
versione=$(dpkg-parsechangelog -S Version)
sorgente=$lavoro/tastavia-$versione
rm -rf "$lavoro"
mkdir -p "$sorgente"
git ls-files -z --cached --others --exclude-standard | rsync -a --from0 --files-from=- ./ "$sorgente/"
# The shared compiler cache, when there is one, outlives debhelper's own HOME.
if command -v ccache >/dev/null; then
  CCACHE_DIR=$(ccache -k cache_dir) && export CCACHE_DIR
  export CCACHE_BASEDIR=$lavoro
fi
(cd "$sorgente" && dpkg-buildpackage -us -uc -b -j"$(nproc)" >"$lavoro/build.log" 2>&1) ||
  { tail -40 "$lavoro/build.log"; echo "dpkg-buildpackage failed: $lavoro/build.log" >&2; exit 1; }
deb=$(ls "$lavoro"/tastavia_"$versione"_*.deb)
changes=$(ls "$lavoro"/tastavia_"$versione"_*.changes)

if [ $verifica = 1 ]; then
  echo "lintian --pedantic:"
  # Errors and warnings fail; each tag we keep is explained in
  # debian/tastavia.lintian-overrides.
  lintian --pedantic --fail-on error,warning,pedantic --display-level ">=pedantic" "$changes"
  contenuto=$(mktemp -d)
  trap 'rm -rf "$contenuto"' EXIT
  dpkg-deb -x "$deb" "$contenuto"
  echo "desktop-file-validate:"
  desktop-file-validate "$contenuto"/usr/share/applications/*.desktop
  echo "appstreamcli:"
  appstreamcli validate-tree --no-net --pedantic "$contenuto/usr"
  echo "Depends:    $(dpkg-deb -f "$deb" Depends)"
  echo "Recommends: $(dpkg-deb -f "$deb" Recommends)"
fi
echo "$deb"
