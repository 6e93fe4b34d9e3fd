"""The blurred-error measure of the palette benchmarks: a picture and its original are each blurred
by an exact Gaussian of sigma 1.5 (separable, radius 5, edges mirrored), and the figure is the mean
absolute difference of the two, in levels (per channel for colour): how far a dithered picture looks
from the original at a small viewing distance. Lower is nearer."""
import numpy as np
from PIL import Image


def blur(a, sigma=1.5, radius=5):
    x = np.arange(-radius, radius + 1)
    k = np.exp(-x * x / (2 * sigma * sigma))
    k /= k.sum()
    for axis in (0, 1):
        pad = [(0, 0)] * a.ndim
        pad[axis] = (radius, radius)
        p = np.pad(a, pad, mode="symmetric")
        out = np.zeros_like(a, dtype=np.float64)
        for i, w in enumerate(k):
            sl = [slice(None)] * a.ndim
            sl[axis] = slice(i, i + a.shape[axis])
            out += w * p[tuple(sl)]
        a = out
    return a


def colour_error(picture, original):
    """Blurred error of two files' RGB pixels."""
    a = np.asarray(Image.open(picture).convert("RGB"), dtype=np.float64)
    b = np.asarray(Image.open(original).convert("RGB"), dtype=np.float64)
    return float(np.abs(blur(a) - blur(b)).mean())
