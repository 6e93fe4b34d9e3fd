#!/usr/bin/env bash
# Makes the screenshots the AppStream entry lists (docs/screenshots/*.png) from the program itself:
# the editor runs on a virtual X display with a generated photo, and xdotool opens the dialogs by
# their keys, as a user would. Needs xvfb-run, xdotool and ImageMagick's convert and import
# (apt-get install xvfb xdotool imagemagick).
#   docs/make-screenshots.sh [path/to/rastrix]   (default: the release build's)
set -euo pipefail
cd "$(dirname "$0")/.."
editor=${1:-build/release/src/gui/rastrix}
for tool in xvfb-run xdotool convert import; do
  command -v "$tool" >/dev/null || { echo "make-screenshots: $tool is missing (apt-get install xvfb xdotool imagemagick)"; exit 1; }
done
[ -x "$editor" ] || { echo "make-screenshots: no editor at $editor (cmake --build --preset release)"; exit 1; }
out=docs/screenshots
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A photo-like picture in a plain white frame: smooth colour, a bright disc, a grey ramp.
convert -seed 7 -size 560x360 plasma:fractal -blur 0x4 -fill white -draw "circle 400,110 450,110" \
  \( -size 360x40 gradient:black-white -rotate 90 -resize 560x40! \) -gravity south -composite \
  -bordercolor white -border 40 -type TrueColor BMP3:"$work/photo.bmp"

# One run of the editor per shot, each with its own settings folder so none depends on another.
shoot() {  # name, keys...
  local name=$1; shift
  XDG_CONFIG_HOME="$work/config-$name" xvfb-run -a -s "-screen 0 1024x700x24" bash -c '
    editor=$1; photo=$2; shot=$3; shift 3
    "$editor" "$photo" & pid=$!
    for _ in $(seq 50); do xdotool search --name "Rastrix" >/dev/null 2>&1 && break; sleep 0.2; done
    sleep 1
    # No window manager gives the window the keyboard: give it, as a click on it would.
    xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "Rastrix" | head -1)"
    for keys in "$@"; do xdotool key --delay 150 $keys; sleep 0.8; done
    import -window root "$shot.full.png"
    kill $pid' _ "$editor" "$work/photo.bmp" "$work/$name" "$@"
  # No window manager draws a desktop: the windows are what is not the black screen.
  convert "$work/$name.full.png" -bordercolor black -border 1 -trim +repage -strip "$out/$name.png"
  echo "$out/$name.png"
}

shoot rastrix-main ctrl+b Escape
shoot rastrix-reduce-colours alt+e o
shoot rastrix-scale-image alt+e i
