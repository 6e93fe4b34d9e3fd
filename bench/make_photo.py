#!/usr/bin/python3
"""Writes the photo-like test picture of the whole-process benchmarks with Pillow: smooth shapes
enlarged from a picture an eighth of the size, film grain, and thin hard lines that a reduction
without a wide enough filter aliases.

    make_photo.py WIDTH HEIGHT DIR [photo.jpg] [photo.png] [photo-turned.jpg]

JPEGs at quality 90; photo-turned.jpg holds the same pixels with EXIF orientation 6 (the camera
was held upright, so a viewer turns the picture a quarter clockwise)."""
import sys

from PIL import Image, ImageChops, ImageDraw

W, H, out = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
names = sys.argv[4:] or ["photo.jpg", "photo.png"]
sw, sh = W // 8, H // 8
small = [Image.effect_mandelbrot((sw, sh), (-2.2, -1.2, 1.0, 1.2), 60),
         Image.linear_gradient('L').resize((sw, sh)), Image.radial_gradient('L').resize((sw, sh))]
big = [c.resize((W, H), Image.BICUBIC) for c in small]
grain = Image.effect_noise((W, H), 10)
big = [ImageChops.add(c, grain, 1.0, -128) for c in big]
im = Image.merge('RGB', big)
d = ImageDraw.Draw(im)
for i in range(0, W, 97):
    d.line([(i, 0), (W - i, H)], fill=(255, 255, 255), width=2)
for name in names:
    path = out + "/" + name
    if name == "photo-turned.jpg":
        exif = Image.Exif()
        exif[0x0112] = 6
        im.save(path, quality=90, exif=exif.tobytes())
    elif name.endswith(".jpg"):
        im.save(path, quality=90)
    else:
        im.save(path)
