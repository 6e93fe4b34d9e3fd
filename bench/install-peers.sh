#!/usr/bin/env bash
# Installs the peers the whole-process comparisons measure against (Pillow with numpy,
# ImageMagick, libvips' command-line tools, GNU time). They are installed here and nowhere
# else: the product does not use them, so scripts/install-deps.sh does not list them.
set -euo pipefail
missing=()
for p in python3-pil python3-numpy imagemagick libvips-tools time; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
