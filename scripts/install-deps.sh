#!/usr/bin/env bash
# Installs the Debian packages Rastrix needs to build, run and test; does nothing when all are present.
# With --package, also what `make package` and `make package-check` use: dpkg-shlibdeps (dpkg-dev,
# file) works out the package's Depends; the checks run lintian, desktop-file-validate,
# appstreamcli and zsh (to read the zsh completion); man-db shows the manual pages.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  libspng-dev libjpeg62-turbo-dev libturbojpeg0-dev libimagequant-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang-14 libclang-rt-14-dev
  xvfb xauth imagemagick python3
)
if [ "${1:-}" = "--package" ]; then
  packages+=(dpkg-dev file lintian desktop-file-utils appstream zsh man-db)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
