#!/usr/bin/env python3
"""Reference values for the colour conversion tests.

Computed from the published definitions only: exact rational matrices from the
primaries and the D65 white point, and 50-digit decimal arithmetic for the
transfer curve and the OKLab cube roots. Nothing here calls the C++ code.
Run it and paste the printed rows into ConversionReferenceTests.cpp.
"""
import math
from decimal import Decimal, getcontext
from fractions import Fraction as F

getcontext().prec = 50


def xyz(x, y):
    x, y = F(x), F(y)
    return [x / y, F(1), (1 - x - y) / y]


def mat_mul(a, b):
    return [[sum(a[i][k] * b[k][j] for k in range(3)) for j in range(3)] for i in range(3)]


def mat_vec(m, v):
    return [sum(m[i][k] * v[k] for k in range(3)) for i in range(3)]


def inverse(m):
    (a, b, c), (d, e, f), (g, h, i) = m
    det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g)
    adj = [[e * i - f * h, c * h - b * i, b * f - c * e],
           [f * g - d * i, a * i - c * g, c * d - a * f],
           [d * h - e * g, b * g - a * h, a * e - b * d]]
    return [[x / det for x in row] for row in adj]


def rgb_to_xyz(r, g, b, w):
    cols = [xyz(*r), xyz(*g), xyz(*b)]
    p = [[cols[j][i] for j in range(3)] for i in range(3)]
    s = mat_vec(inverse(p), xyz(*w))
    return [[p[i][j] * s[j] for j in range(3)] for i in range(3)]


D65 = ("0.3127", "0.3290")
SRGB = rgb_to_xyz(("0.64", "0.33"), ("0.30", "0.60"), ("0.15", "0.06"), D65)
P3 = rgb_to_xyz(("0.680", "0.320"), ("0.265", "0.690"), ("0.150", "0.060"), D65)
P3_TO_SRGB = mat_mul(inverse(SRGB), P3)
SRGB_TO_P3 = mat_mul(inverse(P3), SRGB)


def dec(m):
    return [[Decimal(x.numerator) / Decimal(x.denominator) for x in row] for row in m]


P3_TO_SRGB_D = dec(P3_TO_SRGB)
SRGB_TO_P3_D = dec(SRGB_TO_P3)


def decode(v):
    v = Decimal(v)
    a = abs(v)
    lin = a / Decimal("12.92") if a <= Decimal("0.04045") else ((a + Decimal("0.055")) / Decimal("1.055")) ** Decimal("2.4")
    return lin.copy_sign(v)


def encode(v):
    a = abs(v)
    enc = a * Decimal("12.92") if a <= Decimal("0.0031308") else Decimal("1.055") * a ** (Decimal(1) / Decimal("2.4")) - Decimal("0.055")
    return enc.copy_sign(v)


def apply(m, v):
    return [sum(m[i][k] * v[k] for k in range(3)) for i in range(3)]


def clip(v):
    return min(max(v, Decimal(0)), Decimal(1))


def convert(rgb, m, clip_output):
    out = [encode(x) for x in apply(m, [decode(x) for x in rgb])]
    return [clip(x) for x in out] if clip_output else out


def cbrt(x):
    return (x ** (Decimal(1) / 3)) if x >= 0 else -((-x) ** (Decimal(1) / 3))


M1 = [["0.4122214708", "0.5363325363", "0.0514459929"],
      ["0.2119034982", "0.6806995451", "0.1073969566"],
      ["0.0883024619", "0.2817188376", "0.6299787005"]]
M2 = [["0.2104542553", "0.7936177850", "-0.0040720468"],
      ["1.9779984951", "-2.4285922050", "0.4505937099"],
      ["0.0259040371", "0.7827717662", "-0.8086757660"]]
M1 = [[Decimal(x) for x in r] for r in M1]
M2 = [[Decimal(x) for x in r] for r in M2]


def oklab(rgb):
    return apply(M2, [cbrt(x) for x in apply(M1, [Decimal(v) for v in rgb])])


def fmt(values):
    return ", ".join("%.17g" % float(v) for v in values)


def main():
    print("// sRGB -> Display P3")
    for c in [("1", "0", "0"), ("0", "1", "0"), ("0", "0", "1"), ("0.5", "0.25", "0.75"), ("0.2", "0.8", "0.4"),
              ("1", "1", "1")]:
        print("{{%s}, {%s}}," % (", ".join(c), fmt(convert(c, SRGB_TO_P3_D, True))))
    print("// Display P3 -> extended sRGB")
    for c in [("1", "0", "0"), ("0", "1", "0"), ("0.3", "0.6", "0.9"), ("0.9", "0.9", "0.1")]:
        print("{{%s}, {%s}}," % (", ".join(c), fmt(convert(c, P3_TO_SRGB_D, False))))
    print("// Display P3 -> sRGB (clipped)")
    for c in [("1", "0", "0"), ("0.9", "0.9", "0.1")]:
        print("{{%s}, {%s}}," % (", ".join(c), fmt(convert(c, P3_TO_SRGB_D, True))))
    print("// encoded -> linear")
    for v in ["0", "0.02", "0.04045", "0.0405", "0.25", "0.5", "1", "1.5", "-0.5", "-0.04"]:
        print("{%s, %s}," % (v, fmt([decode(v)])))
    print("// linear -> encoded")
    for v in ["0.001", "0.0031308", "0.00314", "0.18", "0.5", "2", "-0.25"]:
        print("{%s, %s}," % (v, fmt([encode(Decimal(v))])))
    print("// linear sRGB -> OKLab, OKLCH")
    for c in [("1", "1", "1"), ("1", "0", "0"), ("0", "1", "0"), ("0", "0", "1"), ("0.18", "0.18", "0.18"),
              ("0.25", "0.5", "0.75"), ("1.2", "-0.1", "-0.05"), ("-0.2", "0.3", "0.9")]:
        L, a, b = oklab(c)
        chroma = (a * a + b * b).sqrt()
        hue = math.atan2(float(b), float(a))
        print("{{%s}, {%s}, {%s}}," % (", ".join(c), fmt([L, a, b]), fmt([L, chroma, hue])))
    print("// sRGB -> OKLCH (through linear sRGB)")
    for c in [("1", "0", "0"), ("0.5", "0.25", "0.75"), ("0.03", "0.04", "0.05")]:
        L, a, b = oklab([decode(x) for x in c])
        print("{{%s}, {%s}}," % (", ".join(c), fmt([L, (a * a + b * b).sqrt(), math.atan2(float(b), float(a))])))


if __name__ == "__main__":
    main()
