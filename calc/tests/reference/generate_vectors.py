#!/usr/bin/env python3
"""Writes the reference vectors that calc_tests checks the calculation against.

Every expected result comes from exact_reference.py, an exact model of the
rules (whole numbers and fractions only); the cases are random and
constructed: halves between doubles and between singles, digit and carry
boundaries of the formatting, long inputs, the exponent cap, folded
full-width text and the pulley calculation.

Usage: python3 calc/tests/reference/generate_vectors.py [--corpus DIR] [--out DIR]
The output is deterministic (fixed seeds).
"""

import argparse
import os
import random
import re
import struct
import sys
import time
from fractions import Fraction

import exact_reference as ref

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.normpath(os.path.join(HERE, "..", "data"))
DEFAULT_CORPUS = os.path.normpath(
    os.path.join(HERE, "..", "..", "..", "..", "shared", "testdata", "parse-number-fxx")
)
CORPUS_FILES = [
    "freetype-2-7.txt",
    "google-wuffs.txt",
    "lemire-fast-float.txt",
    "more-test-cases.txt",
    "tencent-rapidjson.txt",
]
REGENERATE = "python3 calc/tests/reference/generate_vectors.py"

# --- File format ---------------------------------------------------------------
#
# One case a line, fields separated by one space. A text field holds its bytes:
# printable ASCII as itself, every other byte and the backslash, the double
# quote and the space as \xNN; the empty text is "". Lines starting with # are
# comments.


def escape(raw):
    if not raw:
        return '""'
    out = []
    for b in raw:
        if 0x21 <= b <= 0x7E and b not in (0x5C, 0x22):
            out.append(chr(b))
        else:
            out.append("\\x%02X" % b)
    return "".join(out)


def unescape(field):
    if field == '""':
        return b""
    out = bytearray()
    i = 0
    while i < len(field):
        if field[i] == "\\":
            out.append(int(field[i + 2 : i + 4], 16))
            i += 4
        else:
            out.append(ord(field[i]))
            i += 1
    return bytes(out)


def write_vector_file(out_dir, name, description, rows):
    """rows: lists of already formatted fields; duplicates are dropped."""
    seen = set()
    lines = []
    for fields in rows:
        line = " ".join(fields)
        if line not in seen:
            seen.add(line)
            lines.append(line)
    header = ["# " + text for text in description]
    header.append("# Made by calc/tests/reference/generate_vectors.py from the exact reference model")
    header.append("# (exact_reference.py). Regenerate with: " + REGENERATE)
    with open(os.path.join(out_dir, name), "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(header + lines) + "\n")
    return len(lines)


# --- Numbers and their written forms ------------------------------------------


def bits_double(b):
    return struct.unpack("<d", struct.pack("<Q", b))[0]


def exact_parts(value):
    """(digits, s) with value = int(digits) * 10**s, no trailing zeros; value is
    a positive dyadic Fraction."""
    digits, k = ref.exact_decimal(value)
    s = k - len(digits)
    stripped = digits.rstrip("0")
    return stripped, s + (len(digits) - len(stripped))


def truncate(digits, s, count):
    if len(digits) <= count:
        return digits, s
    return digits[:count], s + len(digits) - count


def plus_unit(digits, s, delta):
    """The digit string one unit of its last place above (delta=1) or below."""
    return str(int(digits) + delta), s


def double_value(bits):
    return ref.decode(ref.DOUBLE, bits)[1]


def double_from_parts(m, q):
    """Bits of the double m * 2**q (exactly representable)."""
    return ref.encode(ref.DOUBLE, False, Fraction(m) * Fraction(2) ** q)


EXPONENT_LETTERS = "eEdD"


def render(rng, digits, s, negative=False):
    """A text whose value is int(digits) * 10**s, in a randomly chosen form:
    plain, scientific, whole mantissa with exponent, or the point anywhere,
    with optional leading and trailing zeros, exponent sign and zeros."""
    n = len(digits)
    options = [n, 1, rng.randint(-3, n + 3)]
    if abs(s) <= 40 or (abs(s) <= 400 and rng.random() < 0.2):
        options += [n + s, n + s]
    j = rng.choice(options)  # digits before the point
    e = s + n - j
    if j <= 0:
        mantissa = rng.choice(["0", "", "00"]) + "." + "0" * -j + digits
    elif j < n:
        mantissa = digits[:j] + "." + digits[j:]
    else:
        mantissa = digits + "0" * (j - n) + rng.choice(["", "", "", ".", ".0", ".000"])
    if "." in mantissa and rng.random() < 0.15:
        mantissa += "0" * rng.randint(1, 5)
    if j > 0 and rng.random() < 0.1:
        mantissa = "0" * rng.randint(1, 4) + mantissa
    exponent = ""
    if e != 0 or rng.random() < 0.1:
        exponent = rng.choice(EXPONENT_LETTERS)
        exponent += "-" if e < 0 else rng.choice(["", "", "+"])
        if rng.random() < 0.1:
            exponent += "0" * rng.randint(1, 3)
        exponent += str(abs(e))
    sign = "-" if negative else rng.choice(["", "", "", "", "+"])
    return (sign + mantissa + exponent).encode("ascii")


def render_fraction(rng, value, negative=False, digits_kept=None):
    digits, s = exact_parts(value)
    if digits_kept is not None:
        digits, s = truncate(digits, s, digits_kept)
    return render(rng, digits, s, negative)


def random_finite_double(rng):
    """A random finite nonzero double, its exponent spread evenly."""
    while True:
        bits = rng.getrandbits(63)
        if 0 < bits < 0x7FF0000000000000:
            return bits


# --- Reading: cases for TextToDouble -----------------------------------------

GRAMMAR_TEXTS = [
    b"", b" ", b"\t", b"0", b"-0", b"+0", b"-0.0", b"-.0", b"-0.", b"0.", b".0",
    b"1", b"-1", b"+1", b"12800", b"21", b" 21", b"\t21", b"\n\v\f\r 21", b"\x0821",
    b"\x0e21", b"\x1f21", b"\xa0" b"21", b"21mm", b"1,5", b"1 2", b"1-2", b"1+2", b"1.5.3",
    b"..5", b".", b"-", b"+", b"-.", b"+.", b"- 5", b"+-5", b"-+5", b"--5", b"++5", b"inf",
    b"nan", b"-inf", b"infinity", b"0x10", b"0X1p3", b"abc", b"e5", b".e5", b"-.e5",
    b"1e3", b"1E3", b"1d3", b"1D3", b"1e", b"1e+", b"1e-", b"1e+-3", b"1e-+3", b"1ee3",
    b"1e 3", b"1e2.5", b"5.", b"5.e2", b"5.E-1", b".5", b"-.5", b"+.5e1", b"1.e", b"1.d+",
    b"1f3", b"1x3", b"1e3x", b"0e99999", b"-0e5", b"-0e-99999", b"0.000e-5", b"00000",
    b"000.000", b"-000.000e+000", b"1e0", b"1e-0", b"1e+0000000000", b"1e0005",
    b"1e5200", b"1e5201", b"1e05201", b"1e99999", b"1e-5200", b"1e-5201", b"1e-99999",
    b"-1e-99999", b"-1e99999", b"1e999999999999999999999999999999", b"1e-2147483648",
    b"1e-9223372036854775809", b"1e2147483648", b"1e308", b"1e309", b"1e-323",
    b"1e-324", b"2e-324", b"3e-324", b"2.5e-324", b"2.4703282292062327e-324",
    b"2.4703282292062328e-324", b"4.9406564584124654e-324", b"0.1", b"0.2", b"0.3",
    b"9007199254740993", b"9007199254740995", b"4503599627370497.5",
    b"72057594037927932.0", b"1.7976931348623157e308", b"1.7976931348623158e308",
    b"1.7976931348623159e308", b"-1.7976931348623159e308", b"2.2250738585072011e-308",
    b"2.2250738585072014e-308", b"2.2250738585072012e-308", b"12\x003", b"-\x001",
    b"1\x00e5", b"\xa3\xb1", b"1\xa3\xb2", b"3.14\xa1\xa1", b"1e\xa3\xb5",
    b"999999999999999999999999", b"9999999999999999999999994", b"9999999999999999999999995",
    b"0.9999999999999999999999995", b"0.99999999999999999999999949999",
    b"16777217.000000000000000000001", b"123456789012345678901234.5",
    b"1234567890123456789012345678901234567890", b"1.234567890123456789012345678901e-300",
]


def long_texts():
    """Inputs of hundreds or thousands of characters."""
    z = "0"
    texts = [
        z * 3000 + "123.5",
        "0." + z * 300 + "1",
        "0." + z * 400 + "1e100",
        "0." + z * 5000 + "1e99999",  # the cap makes the exponent 5201: 1e200
        "0." + z * 5000 + "1e5300",
        "0." + z * 5000 + "1e5200",
        "0." + z * 5000 + "1e5201",
        "-0." + z * 5000 + "15e5300",
        "0." + z * 6000 + "1e99999",  # 1e-800: zero
        "0." + z * 5199 + "1e5201",
        "1" + z * 5000 + "e-99999",  # 1e-201
        "1" + z * 5000 + "e-5300",
        "1" + z * 5000 + "e-5201",
        "1" + z * 5000 + "e-5200",
        "1" + z * 6000 + "e-99999",  # 1e799: infinity
        "1" + z * 5400 + "e-5201",
        "1" + z * 308,
        "1" + z * 309,
        "17976931348623157" + z * 292,
        "17976931348623159" + z * 292,
        "1" + z * 3000 + "." + z * 3000 + "e-3000",
        "0." + z * 3000 + "1" + z * 3000 + "e3000",
        "9" * 3000,
        "9" * 3000 + "e-2700",
        "0." + "9" * 3000,
        "0." + "9" * 3000 + "e-300",
        "1." + z * 3000 + "1",
        "1." + z * 22 + "5" + z * 3000 + "1",
        "1." + z * 23 + "5" + z * 3000,
        "1." + z * 23 + "4" + "9" * 3000,
        "4." + "9" * 1000 + "e-324",
        "2." + "4703282292062327208828439643411068618252990130716238221279284125033775364" + "e-324",
        "123456789" * 300 + "e-2400",
        "0." + "123456789" * 300 + "e1",
        "  \t\n" * 500 + "42",
        "-" + z * 2000 + "." + z * 2000 + "7e4001",
    ]
    return [t.encode("ascii") for t in texts]


def midpoint_texts(rng, midpoint, negative):
    """Texts at and around a value that lies halfway between two doubles."""
    digits, s = exact_parts(midpoint)
    texts = [render(rng, digits, s, negative)]
    if len(digits) <= 24:
        pad = 24 - len(digits)
        d24, s24 = digits + "0" * pad, s - pad
        texts += [
            render(rng, *plus_unit(d24, s24, 1), negative),
            render(rng, *plus_unit(d24, s24, -1), negative),
            render(rng, d24 + "4", s24 - 1, negative),  # the 25th digit leaves it on the half
            render(rng, d24 + "5", s24 - 1, negative),  # the 25th digit lifts it above
            render(rng, str(int(d24) - 1) + "5", s24 - 1, negative),  # lifted onto the half
            render(rng, d24 + "0" * (zeros := rng.randint(1, 40)) + "1", s24 - zeros - 1, negative),
        ]
    else:
        for count in (24, 25, 17, rng.randint(18, 40)):
            t, ts = truncate(digits, s, count)
            texts.append(render(rng, t, ts, negative))
            texts.append(render(rng, *plus_unit(t, ts, 1), negative))
    return texts


def text_to_double_cases():
    rng = random.Random(0x51A7)
    texts = list(GRAMMAR_TEXTS) + long_texts()
    # Halves between doubles that twenty-four digits can write exactly: whole
    # numbers from 2**53 up and fractions down to 2**-11 units.
    for _ in range(700):
        q = rng.randint(-11, 27)
        m = rng.randrange(1 << 52, 1 << 53)
        midpoint = Fraction(2 * m + 1) * Fraction(2) ** (q - 1)
        texts += midpoint_texts(rng, midpoint, rng.random() < 0.3)
    # Halves across the whole range, normal and subnormal: their exact
    # expansions are long, so the 24-digit rule decides.
    for _ in range(300):
        if rng.random() < 0.25:
            m, q = rng.randrange(0, 1 << 52), -1074
        else:
            m, q = rng.randrange(1 << 52, 1 << 53), rng.randint(-1074, 970)
        midpoint = Fraction(2 * m + 1) * Fraction(2) ** (q - 1)
        texts += midpoint_texts(rng, midpoint, rng.random() < 0.3)
    # The halves at the ends of the range: above the largest double, below the
    # smallest subnormal, on both sides of the smallest normal.
    for m, q in [((1 << 53) - 1, 971), (0, -1074), ((1 << 52) - 1, -1074), (1 << 52, -1074),
                 (1, -1074), ((1 << 53) - 2, 971)]:
        midpoint = Fraction(2 * m + 1) * Fraction(2) ** (q - 1)
        for negative in (False, True):
            texts += midpoint_texts(rng, midpoint, negative)
    # Decimal prefixes of random doubles and of the boundaries.
    specials = [0x0000000000000001, 0x000FFFFFFFFFFFFF, 0x0010000000000000, 0x7FEFFFFFFFFFFFFF,
                0x3FF0000000000000, 0x4340000000000000, 0x4330000000000000]
    for bits in specials + [random_finite_double(rng) for _ in range(700)]:
        value = double_value(bits)
        negative = rng.random() < 0.3
        digits, s = exact_parts(value)
        for count in rng.sample([1, 2, 6, 15, 16, 17, 18, 20, 24, 25, 26, 30], 3):
            texts.append(render(rng, *truncate(digits, s, count), negative))
        x = bits_double(bits)
        texts.append((("-" if negative else "") + repr(x)).encode())
        texts.append(("%.17e" % x).encode())
    # Random digit strings over the whole range of exponents.
    for _ in range(1500):
        count = rng.choice([1, 2, 3, 5, 8, 12, 15, 16, 17, 18, 19, 20, 23, 24, 25, 26, 30, 40])
        digits = str(rng.randint(1, 9)) + "".join(rng.choice("0123456789") for _ in range(count - 1))
        s = rng.randint(-345 - count, 310 - count)
        texts.append(render(rng, digits, s, rng.random() < 0.3))
    # Long mantissas: hundreds of digits, the point anywhere.
    for _ in range(60):
        count = rng.randint(26, 800)
        digits = str(rng.randint(1, 9)) + "".join(rng.choice("0123456789") for _ in range(count - 1))
        texts.append(render(rng, digits, rng.randint(-330 - count, 300 - count), rng.random() < 0.5))
    # Surroundings: white space before, anything after.
    prefixes = [b" ", b"\t", b"\r\n", b" \v\f", b"   \t "]
    suffixes = [b"mm", b" 7", b"e", b"e+", b"E-", b"d", b"-3", b"+3", b".5", b",5", b"\xa3\xb1",
                b"\x00" b"9", b"x", b"%", b"\xff"]
    decorated = []
    for text in rng.sample(texts[len(GRAMMAR_TEXTS):], 800):
        if rng.random() < 0.5:
            text = rng.choice(prefixes) + text
        if rng.random() < 0.7 and not text[-1:].isalpha():
            text += rng.choice(suffixes)
        decorated.append(text)
    return texts + decorated


# --- Reading: cases for TextToSingle ------------------------------------------

SINGLE_TEXTS = [
    b"12800", b"21", b" 21", b"\t21", b"\xa1\xa121", b"\xa1\xa1\xa1\xa1 \t21", b"21mm", b"1,5",
    b"1 2", b"1-2", b"1.5.3", b"\xa3\xb1\xa3\xb2\xa3\xb8\xa3\xb0\xa3\xb0", b"\xa3\xad\xa3\xb5",
    b"\xa3\xab\xa3\xb5", b"\xa3\xae\x35", b"12\xa3", b"\xa3", b"\xa3\xb1\xa3", b"", b"abc", b"-",
    b".", b"- 5", b"+-5", b"inf", b"nan", b"0x10", b"-0", b"-0.0", b"-0e5", b"0e99999", b"1e3",
    b"1E3", b"1d3", b"1D3", b"1\xa3\xe53", b"1\xa3\xc53", b"1\xa3\xe43", b"1\xa3\xc43",
    b"1\xa3\xe5\xa3\xad\xa3\xb3", b"1e", b"1e+", b"1e-", b"1e2.5", b"5.", b".5", b"+.5e1",
    b"0.1", b"16777217", b"16777219", b"16777217.000000000000000000001", b"16777217.0000000001",
    b"16777216.9999999999", b"16777218.9999999999", b"16777219.0000000001", b"3.4028235e38",
    b"3.4028236e38", b"3.40282356779733661637539395458142568448e38",
    b"3.40282356779733661637539395458142568447e38", b"3.4028235677973366e38",
    b"3.4028235677973365e38", b"1e39", b"-1e39", b"1e-45", b"7.1e-46", b"7e-46",
    b"1.4012984643248171e-45", b"7.0064923216240854e-46", b"7.0064923216240862e-46",
    b"2.1019476964872256e-45", b"1.1754942e-38", b"1.17549435e-38", b"1e5200", b"1e5201",
    b"1e99999", b"1e-99999", b"-1e-99999", b"\xa1\xab5", b"\xa1\xee5", b"\xa1\xef5",
    b"5\xa1\xee", b"\xb0\xa15", b"\x81\x355", b"5\x81\x35", b"\xa3\xa3\xb5", b"\xa1\xa3\xb1",
    b"\xa3\xa0\xa3\xb1", b"\xa3\xb1\xa3\xae\xa3\xb5\xa3\xae\xa3\xb3", b"\xa3\xb2\xa3\xac\xa3\xb5",
    b"\xa3\xb1\xa1\xa1\xa3\xb2", b"\xa1\xa1\xa3\xad\xa1\xa1\xa3\xb5", b"\xa3\xa8\xa3\xb5",
]

FULL_WIDTH = {c: bytes((0xA3, c + 0x80)) for c in range(0x21, 0x7F)}


def to_full_width(rng, text, chance):
    out = bytearray()
    for c in text:
        if c in FULL_WIDTH and rng.random() < chance:
            out += FULL_WIDTH[c]
        elif c == 0x20 and rng.random() < chance:
            out += b"\xa1\xa1"
        else:
            out.append(c)
    return bytes(out)


def single_midpoint(m, q):
    """The value halfway between the singles m*2**q and (m+1)*2**q."""
    return Fraction(2 * m + 1) * Fraction(2) ** (q - 1)


def text_to_single_cases():
    rng = random.Random(0x5167)
    texts = list(SINGLE_TEXTS)
    # Short numbers: at most nine digits, exponents from -8 to 9.
    for _ in range(1200):
        digits = str(rng.randrange(1, 10 ** rng.randint(1, 9)))
        texts.append(render(rng, digits, rng.randint(-8, 9), rng.random() < 0.2))
    # Typical pulse counts and diameters as typed.
    for _ in range(300):
        whole = rng.randrange(10 ** rng.randint(1, 7))
        places = rng.randint(0, 4)
        text = str(whole) + ("." + "".join(rng.choice("0123456789") for _ in range(places)) if places else "")
        texts.append(text.encode())
    # Halves between singles: the exact double on the half (ties to even), and
    # texts just beside it that still read as that double or as a neighbour.
    for _ in range(500):
        if rng.random() < 0.15:
            m, q = rng.randrange(0, 1 << 23), -149
        else:
            m, q = rng.randrange(1 << 23, 1 << 24), rng.choice([rng.randint(-149, 104), rng.randint(-30, 10)])
        midpoint = single_midpoint(m, q)
        negative = rng.random() < 0.3
        ulp = Fraction(2) ** (ref.floor_log2(midpoint) - 52)
        digits, s = exact_parts(midpoint)
        if len(digits) <= 24:
            texts.append(render(rng, digits, s, negative))
        texts.append(render_fraction(rng, midpoint, negative, 17))
        texts.append(render_fraction(rng, midpoint, negative, 24))
        for offset in (ulp / 4, -ulp / 4, ulp, -ulp, ulp * 2):
            texts.append(render_fraction(rng, midpoint + offset, negative, rng.choice([17, 20, 24])))
    for m, q in [((1 << 24) - 1, 104), (0, -149), (1, -149), ((1 << 23) - 1, -149), (1 << 23, -149)]:
        midpoint = single_midpoint(m, q)
        ulp = Fraction(2) ** (ref.floor_log2(midpoint) - 52)
        for negative in (False, True):
            for offset in (0, ulp, -ulp, ulp / 4, -ulp / 4):
                for count in (17, 24):
                    texts.append(render_fraction(rng, midpoint + offset, negative, count))
    # Doubles of every magnitude, narrowed, including overflow and underflow.
    for _ in range(700):
        bits = rng.getrandbits(64)
        if rng.random() < 0.6:
            bits = (bits & ~(0x7FF << 52)) | (rng.randint(1023 - 160, 1023 + 140) << 52)
        if (bits >> 52) & 0x7FF == 0x7FF:
            continue
        texts.append(("%.17e" % bits_double(bits)).encode())
    # The same numbers typed with full-width characters.
    folded = []
    for text in rng.sample(texts[len(SINGLE_TEXTS):], 700):
        folded.append(to_full_width(rng, text, rng.choice([0.3, 1.0])))
    # GBK text around numbers: two-byte characters before and after, lone lead bytes.
    noise = [b"\xb0\xa1", b"\xd6\xd0", b"\xa1\xa2", b"\x81\x40", b"\xfe\xfe", b"\x81\x30", b"\xa3\xa0", b"\xa3"]
    for text in rng.sample(texts, 300):
        piece = rng.choice(noise)
        folded.append(text + piece if rng.random() < 0.7 else piece + text)
    return texts + folded


# --- Formatting: cases for DoubleToText ---------------------------------------


def nearest_double(value):
    """Bits of the double nearest a positive Fraction (ties to even)."""
    return ref.encode(ref.DOUBLE, False, ref.round_to_format(value, ref.DOUBLE, ref.TIES_TO_EVEN))


def leading_digits(bits, count):
    digits, k = ref.exact_decimal(double_value(bits))
    return digits[:count].ljust(count, "0"), k


def search_digit_pattern(rng, prefix_digits, tail_choice, wanted, tries):
    """Doubles whose exact digits 1.. match wanted(digits) near random decimals
    that start with prefix_digits() and continue with tail_choice()."""
    found = []
    for _ in range(tries):
        digits = prefix_digits() + tail_choice()
        s = rng.randint(-320, 290)
        value = Fraction(int(digits)) * Fraction(10) ** s
        bits = nearest_double(value)
        for candidate in (bits - 1, bits, bits + 1):
            if 0 < candidate < 0x7FF0000000000000 and wanted(leading_digits(candidate, 19)[0]):
                found.append(candidate)
    return found


def double_to_text_cases():
    rng = random.Random(0xD0C7)
    cases = []
    # Special values: infinities and NaNs of both signs, quiet and signalling.
    cases += [0x7FF0000000000000, 0xFFF0000000000000, 0xFFF8000000000000, 0x7FF8000000000000,
              0xFFF8000000000001, 0x7FF0000000000001, 0xFFF0000000000001, 0x7FF4000000000000,
              0xFFF4000000000000, 0x7FFFFFFFFFFFFFFF, 0xFFFFFFFFFFFFFFFF, 0xFFF7FFFFFFFFFFFF,
              0x7FF7FFFFFFFFFFFF, 0xFFFC000000000000, 0x0000000000000000, 0x8000000000000000]
    for _ in range(150):
        cases.append((rng.getrandbits(1) << 63) | (0x7FF << 52) | rng.randrange(1, 1 << 52))
    # Random bit patterns of any kind.
    cases += [rng.getrandbits(64) for _ in range(1500)]
    # Values where the layout is decided: every decade from 1e-7 to 1e16.
    for _ in range(2500):
        m = rng.randrange(1 << 52, 1 << 53)
        q = rng.randint(-76, 2)
        cases.append((rng.getrandbits(1) << 63) | double_from_parts(m, q))
    # Short decimals (the text is then the decimal itself).
    for _ in range(1000):
        digits = str(rng.randrange(1, 10 ** rng.randint(1, 13)))
        s = rng.randint(-20, 20) if rng.random() < 0.8 else rng.randint(-330, 300)
        value = Fraction(int(digits)) * Fraction(10) ** s
        if value < Fraction(2) ** 1024:
            cases.append(nearest_double(value) | (rng.getrandbits(1) << 63))
    # Powers of ten and two, with neighbours.
    for k in range(-323, 309):
        bits = nearest_double(Fraction(10) ** k)
        for delta in (-1, 0, 1):
            cases.append(bits + delta)
    for e in range(-1074, 1024):
        cases.append(double_from_parts(1, e))
    # Around the bounds of plain notation and the carries of the 13 digits.
    for k in range(-8, 17):
        for nines in ("9999999999999", "99999999999995", "9999999999999499999", "99999999999994"):
            value = Fraction(int(nines)) * Fraction(10) ** (k - len(nines))
            bits = nearest_double(value)
            cases += [bits - 2, bits - 1, bits, bits + 1, bits + 2]
    # Subnormals, the smallest normals and the largest doubles.
    cases += [rng.randrange(1, 1 << 52) for _ in range(400)]
    cases += [1, 2, 3, (1 << 52) - 1, 1 << 52, (1 << 52) + 1, 0x7FEFFFFFFFFFFFFF, 0x7FEFFFFFFFFFFFFE]
    # Exact halves at the 14th digit: doubles whose exact value has exactly 14
    # significant digits, the last a 5. Such a value is n / 10**t with n a
    # multiple of 5**t, or a whole number n * 10**s.
    for _ in range(700):
        t = rng.randint(0, 20)
        low, high = -(-10**13 // 5**t), 10**14 // 5**t
        r = rng.randrange(low, high + 1) | 1
        n = r * 5**t
        if not (10**13 <= n < 10**14) or n % 10 != 5:
            continue
        value = Fraction(n, 10**t) * (10 ** rng.randint(1, 2) if t == 0 and rng.random() < 0.3 else 1)
        if value == ref.round_to_format(value, ref.DOUBLE, ref.TIES_TO_EVEN):
            cases.append(nearest_double(value) | (rng.getrandbits(1) << 63))
    for n, s in [(12345678901225, -1), (99999999999995, -1), (99999999999995, -2),
                 (95367431640625, -20), (25, -8), (5, -1), (15, -1)]:
        value = Fraction(n) * Fraction(10) ** s
        cases.append(nearest_double(value))
    # A 5 as the 14th digit with more digits after it.
    cases += search_digit_pattern(rng, lambda: str(rng.randrange(10**12, 10**13)),
                                  lambda: "5" + str(rng.randrange(10**5)).zfill(5),
                                  lambda d: d[13] == "5", 300)
    # Digits 14 to 17 of 4999 with the 18th deciding whether they become 5000,
    # and 5000 just above.
    for tail in ("49995", "49996", "49999", "49994", "49990", "50000", "50001", "49998"):
        cases += search_digit_pattern(rng, lambda: str(rng.randrange(10**12, 10**13)),
                                      lambda: tail + str(rng.randrange(10**3)).zfill(3),
                                      lambda d: d[13:17] in ("4999", "5000"), 250)
    # Seventeen nines: the first rounding carries into a new digit.
    for k in range(-323, 309):
        bits = nearest_double(Fraction(10) ** k)
        for candidate in range(bits - 3, bits + 1):
            if candidate > 0 and leading_digits(candidate, 17)[0] == "9" * 17:
                cases.append(candidate)
    cases += search_digit_pattern(rng, lambda: "9" * 13,
                                  lambda: "9999" + str(rng.randrange(5, 10)) + str(rng.randrange(1000)).zfill(3),
                                  lambda d: d[:17] == "9" * 17, 400)
    return cases


# --- The calculation: cases for CalculatePulsesPerMillimetre -------------------

PULSES_TABLE = [
    (b"12800", b"21"), (b"", b"21"), (b"", b""), (b"", b" "), (b"12800", b""), (b" ", b""),
    (b"12800", b" "), (b" ", b"21"), (b"12800", b"0"), (b"-12800", b"0"), (b"12800", b"-0"),
    (b"-12800", b"-0"), (b"0", b"0"), (b"-0", b"0"), (b"0", b"-0"), (b"16777217", b"1"),
    (b"12800", b"0.1"), (b"10000", b"20"), (b"1", b"1"), (b"-12800", b"21"), (b"12800", b"1e+040"),
    (b"-12800", b"1e+040"), (b"12800", b"-1e+040"), (b"1e39", b"1e39"), (b"-1e39", b"1e39"),
    (b"1e39", b"21"), (b"-1e39", b"21"), (b"1e39", b"0"), (b"0", b"1e39"), (b"1e39", b"-0"),
    (b"3.4028235e38", b"1e-45"), (b"1e-45", b"3.4028235e38"), (b"1e-45", b"1e-45"),
    (b"abc", b"21"), (b"12800", b"abc"), (b"\xa3\xb1\xa3\xb2\xa3\xb8\xa3\xb0\xa3\xb0", b"\xa3\xb2\xa3\xb1"),
    (b"\xa1\xa112800", b"\xa3\xb2\xa3\xb1mm"), (b"12800\xa3", b"21\xa3"), (b"\xa3", b"21"),
    (b"12800", b"\xa3"), (b"12800", b"21e"), (b"1.28e4", b"2.1d1"), (b"16777219", b"1"),
    (b"12800", b"0.000001"), (b"200", b"12.7"), (b"400", b"25.4"), (b"1000", b"3.1415926"),
]
TYPICAL_PULSES = [200, 400, 500, 800, 1000, 1024, 1600, 2000, 2048, 2500, 3200, 4000, 4096, 5000,
                  6400, 8000, 8192, 10000, 12800, 16384, 20000, 25600, 32768, 40000, 50000, 51200,
                  65536, 100000, 131072, 1000000]


PULLEY_SIGNIFICAND = (ref.PULLEY_CONSTANT_BITS & ((1 << 52) - 1)) | (1 << 52)


def round_whole(value, keep):
    """A positive whole number rounded to keep significant bits, ties to even."""
    shift = value.bit_length() - keep
    if shift <= 0:
        return value
    head, rest = value >> shift, value & ((1 << shift) - 1)
    half = 1 << (shift - 1)
    if rest > half or (rest == half and head & 1):
        head += 1
    return head << shift


def circumference_depends_on_intermediate(diameter):
    """Whether the diameter (a single, as a float) times the pulley constant
    rounds differently through the 64-bit significand. Whole-number search
    model; every case found is checked again with the exact reference."""
    fraction = Fraction(diameter)
    significand = fraction.numerator  # the power of two does not matter
    product = significand * PULLEY_SIGNIFICAND
    return round_whole(round_whole(product, 64), 53) != round_whole(product, 53)


def quick_text_key(x):
    """The 13 digits a double's text shows, ignoring the rare 4999 cases: enough
    to pick candidates whose exact texts are then compared."""
    s = "%.16e" % x
    digits = s[0] + s[2:18]
    return int(digits[:13]) + (digits[13] >= "5"), s[18:]


def intermediate_cases(rng):
    """Pairs whose text depends on the 64-bit intermediate: the circumference
    rounds differently through it, and the pulse count puts the quotient on a
    boundary of the 13 shown digits."""
    pairs = []
    diameters = []
    for whole in range(1, 400):
        for places in range(0, 1000):
            text = "%d.%03d" % (whole, places)
            x = struct.unpack("<f", struct.pack("<f", float(text)))[0]
            if circumference_depends_on_intermediate(x):
                diameters.append(text.rstrip("0").rstrip(".").encode())
        if len(diameters) >= 120:
            break
    for diameter in diameters:
        pairs.append((str(rng.choice(TYPICAL_PULSES)).encode(), diameter))
        _, d = ref.text_to_single_value(diameter)
        value = d * ref.PULLEY_CONSTANT
        c1 = float(ref.round_through(value, True))
        c2 = float(ref.round_through(value, False))
        for p in list(TYPICAL_PULSES) + list(range(1, 30000)):
            if quick_text_key(p / c1) == quick_text_key(p / c2):
                continue
            pulses = str(p).encode()
            with_intermediate = ref.calculate_pulses_per_millimetre(pulses, diameter, True)
            if with_intermediate != ref.calculate_pulses_per_millimetre(pulses, diameter, False):
                pairs.append((pulses, diameter))
                break
    return pairs


def random_diameter(rng):
    kind = rng.random()
    if kind < 0.3:
        return str(rng.randint(3, 200))
    if kind < 0.8:
        return "%d.%s" % (rng.randint(0, 200), str(rng.randrange(10 ** rng.randint(1, 3))).zfill(rng.randint(1, 3)))
    return "%.6g" % rng.uniform(0.001, 5000)


def pulses_cases():
    rng = random.Random(0xCA1C)
    pairs = list(PULSES_TABLE)
    for _ in range(2500):
        if rng.random() < 0.5:
            pulses = str(rng.choice(TYPICAL_PULSES))
        else:
            pulses = str(rng.randrange(1, 10 ** rng.randint(1, 8)))
        if rng.random() < 0.1:
            pulses = "-" + pulses
        pairs.append((pulses.encode(), random_diameter(rng).encode()))
    # Typed with full-width characters and ideographic spaces.
    for pulses, diameter in rng.sample(pairs[len(PULSES_TABLE):], 300):
        pairs.append((to_full_width(rng, pulses, 0.7), to_full_width(rng, diameter, 0.7)))
    # Arbitrary singles of any magnitude on either side.
    for _ in range(400):
        pulses = "%.9e" % (rng.choice([-1, 1]) * 10 ** rng.uniform(-46, 39))
        diameter = "%.9e" % (rng.choice([-1, 1]) * 10 ** rng.uniform(-46, 39))
        pairs.append((pulses.encode(), diameter.encode()))
    # Odd texts on either side.
    odd = [b"", b" ", b"-", b".", b"-0", b"0", b"1e39", b"-1e39", b"1e-46", b"mm", b"\xa3", b"\xa1\xa1",
           b"\xa3\xad\xa3\xb0", b"5\xa3\xae", b"12800abc", b"\t21"]
    for a in odd:
        for b in odd:
            pairs.append((a, b))
    pairs += intermediate_cases(rng)
    return pairs


# --- Folding --------------------------------------------------------------------


def fold_cases():
    rng = random.Random(0xF01D)
    texts = [b"", b"12800", b"\x01\x7f", b"\xa3", b"1\xa3", b"\xa1\xa1\xa1\xab\xa1\xee\xa1\xef"]
    texts += [bytes((0xA3, second)) for second in range(0x100) if second != 0]
    texts += [bytes((0xA1, second)) for second in range(0xA0, 0xF0)]
    for _ in range(400):
        text = bytearray()
        for _ in range(rng.randint(1, 12)):
            r = rng.random()
            if r < 0.3:
                text.append(rng.randrange(1, 0x80))
            elif r < 0.6:
                text += bytes((0xA3, rng.randrange(0xA0, 0x100)))
            elif r < 0.7:
                text += bytes((0xA1, rng.choice([0xA1, 0xAB, 0xEE, 0xEF, 0xA2, 0xAC])))
            else:
                text += bytes((rng.randrange(0x80, 0x100), rng.randrange(1, 0x100)))
        if rng.random() < 0.2:
            text.append(rng.randrange(0x80, 0x100))  # a lone lead byte at the end
        texts.append(bytes(text))
    return texts


# --- The corpus -----------------------------------------------------------------


def corpus_differences(corpus_dir):
    """Corpus lines whose reading differs from their float64 column, and the
    short numbers whose float32 column TextToSingle must give (checked here)."""
    differences = {}  # text -> [bits, places]
    short_mismatches = []
    lines_read = 0
    for name in CORPUS_FILES:
        with open(os.path.join(corpus_dir, name), "rb") as f:
            for number, line in enumerate(f, 1):
                fields = line.split()
                if len(fields) != 4:
                    continue
                lines_read += 1
                text = fields[3]
                expected = ref.text_to_double(text)
                if expected != int(fields[2], 16):
                    differences.setdefault(text, [expected, []])[1].append("%s:%d" % (name, number))
                if is_short_number(text) and ref.text_to_single(text) != int(fields[1], 16):
                    short_mismatches.append((name, number, text))
    return [(text, bits, places) for text, (bits, places) in differences.items()], short_mismatches, lines_read


NUMBER_TEXT = re.compile(rb"[+-]?([0-9]*)(?:\.([0-9]*))?(?:[eEdD]([+-]?[0-9]+))?")


def is_short_number(text):
    """Whether the whole text is a number D * 10**E with D of at most nine
    digits and -8 <= E <= 9."""
    match = NUMBER_TEXT.fullmatch(text)
    if match is None or not (match.group(1) or match.group(2)):
        return False
    integer, fraction = match.group(1).decode(), (match.group(2) or b"").decode()
    exponent = int(match.group(3) or b"0") - len(fraction)
    digits = (integer + fraction).lstrip("0")
    stripped = digits.rstrip("0")
    if not stripped:
        return True
    exponent += len(digits) - len(stripped)  # D * 10**E without trailing zeros in D
    room = 9 - len(stripped)  # zeros D can take on while E goes down
    return room >= 0 and max(0, exponent - 9) <= min(room, exponent + 8)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=DEFAULT_OUT)
    parser.add_argument("--corpus", default=DEFAULT_CORPUS)
    args = parser.parse_args()
    started = time.monotonic()
    os.makedirs(args.out, exist_ok=True)
    counts = {}

    rows = [[escape(t), "%016X" % ref.text_to_double(t)] for t in text_to_double_cases()]
    counts["text_to_double.txt"] = write_vector_file(args.out, "text_to_double.txt", [
        "TextToDouble: <text> <double bits, hex>.",
    ], rows)

    rows = [[escape(t), "%08X" % ref.text_to_single(t)] for t in text_to_single_cases()]
    counts["text_to_single.txt"] = write_vector_file(args.out, "text_to_single.txt", [
        "TextToSingle: <text> <single bits, hex>.",
    ], rows)

    rows = [["%016X" % b, ref.double_to_text(b)] for b in double_to_text_cases()]
    counts["double_to_text.txt"] = write_vector_file(args.out, "double_to_text.txt", [
        "DoubleToText: <double bits, hex> <text>.",
    ], rows)

    rows = []
    depending_on_intermediate = 0
    for pulses, diameter in pulses_cases():
        outcome = ref.calculate_pulses_per_millimetre(pulses, diameter)
        if outcome != ref.calculate_pulses_per_millimetre(pulses, diameter, with_intermediate=False):
            depending_on_intermediate += 1
        rows.append([escape(pulses), escape(diameter), "missing" if outcome is None else outcome])
    counts["pulses_per_millimetre.txt"] = write_vector_file(args.out, "pulses_per_millimetre.txt", [
        "CalculatePulsesPerMillimetre: <pulses text> <diameter text> <result text, or missing>.",
    ], rows)

    rows = [[escape(t), escape(ref.fold_full_width(t))] for t in fold_cases()]
    counts["fold_full_width.txt"] = write_vector_file(args.out, "fold_full_width.txt", [
        "FoldFullWidth: <text> <folded text>.",
    ], rows)

    differences, short_mismatches, lines_read = corpus_differences(args.corpus)
    rows = [[escape(text), "%016X" % bits] for text, bits, _ in differences]
    counts["corpus_differences.txt"] = write_vector_file(args.out, "corpus_differences.txt", [
        "Decimal corpus strings whose TextToDouble result differs from the corpus's float64",
        "column (which rounds every digit, halves to even): <text> <double bits, hex>.",
        "They have more than 24 significant digits or lie exactly halfway between two doubles.",
        "Found at:",
    ] + ["  %s: %s" % (text.decode("ascii")[:60], ", ".join(places)) for text, _, places in differences], rows)

    for name, count in counts.items():
        print("%-28s %6d cases" % (name, count))
    print("corpus: %d lines read, %d distinct strings differ from the float64 column" % (lines_read, len(differences)))
    print("%d calculation cases whose text depends on the 64-bit intermediate" % depending_on_intermediate)
    for name, number, text in short_mismatches:
        print("short number whose single differs from the corpus: %s:%d %s" % (name, number, text))
    print("%.1f s" % (time.monotonic() - started))
    return 1 if short_mismatches or depending_on_intermediate == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
