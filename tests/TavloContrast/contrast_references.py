#!/usr/bin/env python3
"""Reference contrast values for the contrast tests.

Computed from the published definitions only, in 50-digit decimal arithmetic:
the WCAG 2 relative luminance and ratio, and the APCA-W3 0.0.98G-4g lightness
contrast. Colours are measured as extended sRGB (Display P3 through the exact
rational matrix of the colour references, never clipped), composited in
gamma-encoded sRGB over white (light) or black (dark). Nothing here calls the
C++ code.

Run it from this folder and redirect the output to contrast_references.txt:
    python3 contrast_references.py > contrast_references.txt
"""
import os
import random
import sys
from decimal import Decimal as D

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "MerrinColorUtils"))
from reference_values import P3_TO_SRGB_D, convert, decode  # noqa: E402  (sets the decimal precision)

WCAG_COEFFICIENTS = [D("0.2126"), D("0.7152"), D("0.0722")]
APCA_COEFFICIENTS = [D("0.2126729"), D("0.7151522"), D("0.0721750")]


def extended_srgb(space, rgb):
    rgb = [D(x) for x in rgb]
    return convert(rgb, P3_TO_SRGB_D, False) if space == "p3" else rgb


def over(top, alpha, below):
    return [t * alpha + b * (1 - alpha) for t, b in zip(top, below)]


def wcag_luminance(rgb):
    return max(D(0), sum(k * decode(c) for k, c in zip(WCAG_COEFFICIENTS, rgb)))


def wcag_ratio(fg, bg):
    a, b = wcag_luminance(fg), wcag_luminance(bg)
    return (max(a, b) + D("0.05")) / (min(a, b) + D("0.05"))


def apca_luminance(rgb):
    y = sum(k * (abs(c) ** D("2.4")).copy_sign(c) if c != 0 else D(0) for k, c in zip(APCA_COEFFICIENTS, rgb))
    return max(D(0), y)


def apca_lc(fg, bg):
    def soft_clamp(y):
        return y if y > D("0.022") else y + (D("0.022") - y) ** D("1.414")

    text, back = soft_clamp(apca_luminance(fg)), soft_clamp(apca_luminance(bg))
    if abs(back - text) < D("0.0005"):
        return D(0)
    if back > text:
        sapc = (back ** D("0.56") - text ** D("0.57")) * D("1.14")
        out = D(0) if sapc < D("0.1") else sapc - D("0.027")
    else:
        sapc = (back ** D("0.65") - text ** D("0.62")) * D("1.14")
        out = D(0) if sapc > D("-0.1") else sapc + D("0.027")
    return out * 100


def measure(fg_space, fg, bg_space, bg, base):
    ground = [D(1)] * 3 if base == "light" else [D(0)] * 3
    bg_rgb = over(extended_srgb(bg_space, bg[:3]), D(bg[3]), ground)
    fg_rgb = over(extended_srgb(fg_space, fg[:3]), D(fg[3]), bg_rgb)
    return wcag_ratio(fg_rgb, bg_rgb), apca_lc(fg_rgb, bg_rgb)


def random_colour(rng, space):
    if space == "srgb":
        return ["%.6g" % (rng.randrange(256) / 255), "%.6g" % (rng.randrange(256) / 255),
                "%.6g" % (rng.randrange(256) / 255), "1"]
    if space == "p3":
        return ["%.3f" % rng.random() for _ in range(3)] + ["1"]
    return ["%.3f" % rng.uniform(-0.2, 1.25) for _ in range(3)] + ["1"]  # extended sRGB


def pairs():
    grey = lambda v: [v, v, v, "1"]  # noqa: E731
    yield "srgb", grey("0"), "srgb", grey("1"), "light"
    yield "srgb", grey("1"), "srgb", grey("0"), "light"
    yield "srgb", grey("0.53333333333333333"), "srgb", grey("1"), "light"  # #888
    rng = random.Random(20261206)
    spaces = ["srgb", "p3", "extended"]
    for i in range(240):
        fg_space, bg_space = spaces[i % 3], spaces[(i // 3) % 3]
        fg, bg = random_colour(rng, fg_space), random_colour(rng, bg_space)
        if i % 4 == 1:
            fg[3] = "%.2f" % rng.uniform(0.05, 0.95)
        if i % 4 == 2:
            bg[3] = "%.2f" % rng.uniform(0.05, 0.95)
        if i % 8 == 3:
            fg[3], bg[3] = "%.2f" % rng.uniform(0.05, 0.95), "%.2f" % rng.uniform(0.05, 0.95)
        yield fg_space, fg, bg_space, bg, "light" if i % 2 == 0 else "dark"


def main():
    print("# foreground space, r g b a; background space, r g b a; ground; WCAG ratio; APCA Lc")
    for fg_space, fg, bg_space, bg, base in pairs():
        ratio, lc = measure(fg_space, fg, bg_space, bg, base)
        print("%s %s %s %s %s %.15f %.12f" % (fg_space, " ".join(fg), bg_space, " ".join(bg), base, ratio, lc))


if __name__ == "__main__":
    main()
