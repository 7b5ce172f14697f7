# Debian packages, sourced by ./run, ./test and packaging/package.sh.
# What building and running the program need (./run):
TASTAVIA_PACKAGES="cmake ninja-build g++ pkg-config ccache qt6-base-dev qt6-base-dev-tools qt6-base-private-dev
 libxkbcommon-dev libxkbcommon-x11-dev libwayland-dev libxkbfile-dev libx11-dev libpulse-dev libsqlite3-dev
 fonts-liberation2 fonts-dejavu-core xkb-data qt6-translations-l10n"
# What the tests add (./test): GoogleTest, the X and Wayland servers and tools
# of the end-to-end tests, PDF checkers, the SVG renderer of the artwork, the
# dictionary of the word list, the desktop-file and AppStream validators, the
# screen-reader interface (AT-SPI) of the accessibility test, and lld, which
# links the test executables faster.
TASTAVIA_PACKAGES_TEST="lld libgtest-dev qt6-svg-dev libqt6svg6 xvfb xauth xdotool openbox x11-xkb-utils weston xwayland
 qt6-wayland qpdf poppler-utils mupdf-tools ghostscript python3 hunspell hunspell-fr desktop-file-utils appstream
 groff-base x11-utils python3-pyatspi"

# Installs whatever of the list is missing; apt-get runs only when something
# is, and waits for another apt or dpkg to finish instead of failing.
tastavia_install_packages() {
  local missing=() p
  for p in $TASTAVIA_PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  local attesa=(-o DPkg::Lock::Timeout=600)
  $sudo apt-get "${attesa[@]}" update -qq &&
    DEBIAN_FRONTEND=noninteractive $sudo apt-get "${attesa[@]}" install -y -qq --no-install-recommends "${missing[@]}"
}
