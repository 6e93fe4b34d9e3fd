#!/usr/bin/env bash
# Makes the README's device pictures in docs/: one picture written by rastrix-batch for three
# profiles as raw files (--format bin), then each file decoded as its device shows it (an
# SSD1306 OLED lights its set bits; a black, white and red e-paper panel inks the 0 bits of each
# plane, red over black; a 5-6-5 TFT widens each channel's bits again) into a PNG, the small ones
# enlarged three times pixel for pixel. ImageMagick draws the input.
#   docs/make-device-pictures.sh [path/to/rastrix-batch]   (default: the release build's)
set -euo pipefail
cd "$(dirname "$0")/.."
batch=${1:-build/release/src/batch/rastrix-batch}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A photo-like picture with a clear shape and a few words, 480 x 270.
convert -seed 11 -size 480x270 plasma:fractal -blur 0x3 -fill white -stroke black -strokewidth 3 \
  -draw "circle 360,110 360,50" -stroke none -fill black -font DejaVu-Sans-Bold -pointsize 40 \
  -annotate +24+240 "Rastrix" -depth 8 -type TrueColor "$work/input.png"
cp "$work/input.png" docs/device-input.png

"$batch" -q --fit 128x64 --for ssd1306 --dither atkinson --format bin -o "$work/oled.bin" "$work/input.png"
"$batch" -q --fit 296x128 --for gxepd2-3c --dither fs --format bin -o "$work/badge.bin" "$work/input.png"
"$batch" -q --fit 240x135 --for tft-espi-565 --dither fs --format bin -o "$work/tft.bin" "$work/input.png"

python3 - "$work" docs <<'PY'
import os, struct, sys, zlib
work, docs = sys.argv[1], sys.argv[2]
def png(path, w, h, rgb, scale=1):
    rows = bytearray()
    for y in range(h * scale):
        rows.append(0)
        for x in range(w * scale):
            rows += bytes(rgb[(y // scale) * w + x // scale])
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w * scale, h * scale, 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))
def read(name):
    return open(os.path.join(work, name), "rb").read()
# SSD1306: byte x of page p holds rows 8p..8p+7, the top row in bit 0; a set bit is lit.
b, w, h = read("oled.bin"), 128, 64
png(os.path.join(docs, "device-ssd1306.png"), w, h,
    [(230, 240, 255) if b[x + (y // 8) * w] >> (y & 7) & 1 else (10, 12, 20) for y in range(h) for x in range(w)], 3)
# GxEPD2_3C: black plane, then the colour plane; rows of whole bytes, the leftmost pixel in bit 7.
b, w, h = read("badge.bin"), 296, 128
stride, plane = (w + 7) // 8, (w + 7) // 8 * h
def bit(p, x, y):
    return b[p * plane + y * stride + x // 8] >> (7 - x % 8) & 1
png(os.path.join(docs, "device-gxepd2-3c.png"), w, h,
    [(200, 30, 30) if not bit(1, x, y) else (20, 20, 20) if not bit(0, x, y) else (235, 232, 220) for y in range(h) for x in range(w)], 3)
# RGB565 words, low byte first; each channel widened by repeating its bits.
b, w, h = read("tft.bin"), 240, 135
def widen(v, bits):
    return (v << (8 - bits)) | (v >> (2 * bits - 8))
px = []
for i in range(w * h):
    v = b[2 * i] | b[2 * i + 1] << 8
    px.append((widen(v >> 11, 5), widen(v >> 5 & 63, 6), widen(v & 31, 5)))
png(os.path.join(docs, "device-tft-espi-565.png"), w, h, px, 2)
PY
ls -l docs/device-*.png
