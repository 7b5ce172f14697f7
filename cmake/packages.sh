# Debian packages the build, the tests and the program need; sourced by ./run and ./test.
TASTAVIA_PACKAGES="cmake ninja-build g++ pkg-config ccache qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-svg-dev libqt6svg6 libxkbcommon-dev
 libxkbcommon-x11-dev libwayland-dev
 libxkbfile-dev libx11-dev libpulse-dev libsqlite3-dev libgtest-dev fonts-liberation2 fonts-dejavu-core
 xvfb xauth xdotool openbox x11-xkb-utils xkb-data weston xwayland qt6-wayland qpdf poppler-utils mupdf-tools ghostscript python3
 hunspell hunspell-fr
 qt6-translations-l10n python3-pyatspi"

# Installs whatever of the list is missing; apt-get runs only when something is.
tastavia_install_packages() {
  local missing=() p
  for p in $TASTAVIA_PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
