"""Exact model of Veskora's number reading, number writing and pulses calculation.

Written from the rules the program follows, step by step, with whole numbers
and fractions only: no floating-point arithmetic is used to decide a result.
The vector generator and its self-test import it; the C++ tests compare the
program against the files it produces.

A text is `bytes` (GBK). Doubles and singles are handled as bit patterns
(`int`); inside, a finite magnitude is a `Fraction`.
"""

import sys
from fractions import Fraction

if hasattr(sys, "set_int_max_str_digits"):
    sys.set_int_max_str_digits(0)  # digit strings of a few thousand digits

# --- Binary formats ---------------------------------------------------------


class BinaryFormat:
    """An IEEE 754 binary format: significand bits and the normal exponent range."""

    def __init__(self, precision, min_exponent, max_exponent, exponent_bits):
        self.precision = precision  # significant bits, hidden bit included
        self.min_exponent = min_exponent  # exponent of the smallest normal power of two
        self.max_exponent = max_exponent  # exponent of the largest finite power of two
        self.exponent_bits = exponent_bits
        self.fraction_bits = precision - 1
        self.bias = max_exponent


DOUBLE = BinaryFormat(53, -1022, 1023, 11)
SINGLE = BinaryFormat(24, -126, 127, 8)
# The floating-point unit's intermediate: a 64-bit significand and an exponent
# range far wider than anything the calculation reaches.
EXTENDED = BinaryFormat(64, -16382, 16383, 15)

INFINITY = "inf"  # a magnitude that stands for infinity
TIES_TO_EVEN = "even"
TIES_TOWARD_ZERO = "zero"

DOUBLE_INDEFINITE_NAN = 0xFFF8000000000000  # what 0/0 and inf/inf produce


def floor_log2(value):
    """The e with 2**e <= value < 2**(e+1), for a positive Fraction."""
    n, d = value.numerator, value.denominator
    e = n.bit_length() - d.bit_length()
    if (n << max(-e, 0)) < (d << max(e, 0)):
        e -= 1
    return e


def round_to_format(value, fmt, ties):
    """A positive Fraction brought to fmt: nearest representable value, the tie
    rule deciding exact halves; INFINITY when the rounded value is 2**(max+1)
    or more. Below the normal range the grid is the subnormal one."""
    if value == 0:
        return Fraction(0)
    e = max(floor_log2(value), fmt.min_exponent)
    quantum = e - (fmt.precision - 1)  # exponent of the last significand bit
    n, d = value.numerator, value.denominator
    if quantum >= 0:
        whole, rest = divmod(n, d << quantum)
        unit = d << quantum
    else:
        whole, rest = divmod(n << -quantum, d)
        unit = d
    if 2 * rest > unit or (2 * rest == unit and ties == TIES_TO_EVEN and whole & 1):
        whole += 1
    result = Fraction(whole) * Fraction(2) ** quantum
    if result >= Fraction(2) ** (fmt.max_exponent + 1):
        return INFINITY
    return result


def encode(fmt, negative, magnitude):
    """Bit pattern of a representable magnitude (Fraction or INFINITY)."""
    sign = (1 << (fmt.exponent_bits + fmt.fraction_bits)) if negative else 0
    all_ones = (1 << fmt.exponent_bits) - 1
    if magnitude == INFINITY:
        return sign | (all_ones << fmt.fraction_bits)
    if magnitude == 0:
        return sign
    e = floor_log2(magnitude)
    if e < fmt.min_exponent:
        scaled = magnitude / Fraction(2) ** (fmt.min_exponent - fmt.fraction_bits)
        assert scaled.denominator == 1, "not on the subnormal grid"
        return sign | scaled.numerator
    scaled = magnitude / Fraction(2) ** (e - fmt.fraction_bits)
    assert scaled.denominator == 1, "more significant bits than the format holds"
    assert e <= fmt.max_exponent
    fraction = scaled.numerator - (1 << fmt.fraction_bits)
    return sign | ((e + fmt.bias) << fmt.fraction_bits) | fraction


def decode(fmt, bits):
    """(negative, magnitude) of a non-NaN bit pattern; magnitude is a Fraction
    or INFINITY. A NaN gives (negative, None)."""
    negative = bool(bits >> (fmt.exponent_bits + fmt.fraction_bits))
    field = (bits >> fmt.fraction_bits) & ((1 << fmt.exponent_bits) - 1)
    fraction = bits & ((1 << fmt.fraction_bits) - 1)
    if field == (1 << fmt.exponent_bits) - 1:
        return negative, (INFINITY if fraction == 0 else None)
    if field == 0:
        return negative, Fraction(fraction) * Fraction(2) ** (fmt.min_exponent - fmt.fraction_bits)
    significand = fraction | (1 << fmt.fraction_bits)
    return negative, Fraction(significand) * Fraction(2) ** (field - fmt.bias - fmt.fraction_bits)


# --- Folding full-width forms -----------------------------------------------

_FOLDED_PAIRS = {
    (0xA1, 0xA1): 0x20,  # ideographic space
    (0xA1, 0xAB): 0x7E,  # full-width tilde
    (0xA1, 0xEE): 0x2A,  # white star
    (0xA1, 0xEF): 0x2A,  # black star
}


def fold_full_width(text):
    out = bytearray()
    i = 0
    while i < len(text):
        first = text[i]
        if first < 0x80:
            out.append(first)
            i += 1
            continue
        if i + 1 == len(text):
            break  # a lead byte with nothing after it is dropped
        second = text[i + 1]
        if (first, second) in _FOLDED_PAIRS:
            out.append(_FOLDED_PAIRS[(first, second)])
        elif first == 0xA3 and 0xA1 <= second <= 0xFE:
            out.append(second - 0x80)
        else:
            out += bytes((first, second))
        i += 2
    return bytes(out)


# --- Reading a number --------------------------------------------------------

WHITE_SPACE = b" \t\n\v\f\r"
EXPONENT_LETTERS = b"eEdD"
DIGITS = b"0123456789"
SIGNIFICANT_DIGITS_KEPT = 24
EXPONENT_LIMIT = 5200  # a run of exponent digits beyond this reads as 5201
POWER_LIMIT = 5200  # bound on the power of ten of the last kept digit


def _digit_run(text, i):
    j = i
    while j < len(text) and text[j] in DIGITS:
        j += 1
    return text[i:j].decode("ascii"), j


def scan_number(text):
    """The number at the start of text as (negative, integer digits, fraction
    digits, exponent), or None when the text does not begin with one."""
    i = 0
    while i < len(text) and text[i] in WHITE_SPACE:
        i += 1
    negative = False
    if i < len(text) and text[i] in b"+-":
        negative = text[i] == 0x2D
        i += 1
    integer_digits, i = _digit_run(text, i)
    fraction_digits = ""
    if i < len(text) and text[i] == 0x2E:
        after_point, j = _digit_run(text, i + 1)
        if integer_digits or after_point:
            fraction_digits, i = after_point, j
    if not integer_digits and not fraction_digits:
        return None
    exponent = 0
    if i < len(text) and text[i] in EXPONENT_LETTERS:
        j = i + 1
        exponent_negative = False
        if j < len(text) and text[j] in b"+-":
            exponent_negative = text[j] == 0x2D
            j += 1
        if j < len(text) and text[j] in DIGITS:
            magnitude = 0
            while j < len(text) and text[j] in DIGITS:
                if magnitude <= EXPONENT_LIMIT:
                    magnitude = magnitude * 10 + (text[j] - 0x30)
                    if magnitude > EXPONENT_LIMIT:
                        magnitude = EXPONENT_LIMIT + 1
                j += 1
            exponent = -magnitude if exponent_negative else magnitude
    return negative, integer_digits, fraction_digits, exponent


def decimal_value(text):
    """What the reading makes of text: (negative, kind, whole, power) where kind
    is 'zero', 'infinite' or 'finite' and the value is whole * 10**power."""
    scanned = scan_number(text)
    if scanned is None:
        return False, "zero", 0, 0
    negative, integer_digits, fraction_digits, exponent = scanned
    digits = integer_digits + fraction_digits
    significant = digits.lstrip("0")
    if not significant:
        return negative, "zero", 0, 0
    # Power of ten of the first significant digit.
    first_power = len(integer_digits) - (len(digits) - len(significant)) - 1
    kept = significant[:SIGNIFICANT_DIGITS_KEPT]
    whole = int(kept)
    if len(significant) > SIGNIFICANT_DIGITS_KEPT and significant[SIGNIFICANT_DIGITS_KEPT] >= "5":
        whole += 1
    power = first_power - len(kept) + 1 + exponent
    while whole % 10 == 0:
        whole //= 10
        power += 1
    if power > POWER_LIMIT:
        return negative, "infinite", 0, 0
    if power < -POWER_LIMIT:
        return negative, "zero", 0, 0
    return negative, "finite", whole, power


def text_to_double_value(text):
    """(negative, magnitude) with magnitude a Fraction or INFINITY."""
    negative, kind, whole, power = decimal_value(text)
    if kind == "zero":
        return negative, Fraction(0)
    if kind == "infinite":
        return negative, INFINITY
    value = Fraction(whole) * Fraction(10) ** power
    return negative, round_to_format(value, DOUBLE, TIES_TOWARD_ZERO)


def text_to_double(text):
    return encode(DOUBLE, *text_to_double_value(text))


def narrow_to_single(negative, magnitude):
    if magnitude == INFINITY:
        return negative, INFINITY
    return negative, round_to_format(magnitude, SINGLE, TIES_TO_EVEN)


def text_to_single_value(text):
    return narrow_to_single(*text_to_double_value(fold_full_width(text)))


def text_to_single(text):
    return encode(SINGLE, *text_to_single_value(text))


# --- Writing a number ---------------------------------------------------------

DECIMAL_DIGITS_KEPT = 17
SIGNIFICANT_DIGITS_SHOWN = 13


def exact_decimal(magnitude):
    """All significant digits of a positive dyadic Fraction and k, the power of
    ten with magnitude = 0.digits * 10**k."""
    n, d = magnitude.numerator, magnitude.denominator
    twos = d.bit_length() - 1
    assert d == 1 << twos
    whole = n * 5**twos  # magnitude = whole / 10**twos
    digits = str(whole)
    return digits, len(digits) - twos


def round_half_up(digits, count):
    """The first count digits (padded with zeros), increased by one when the next
    digit is 5 or more; returns (digit string of length count, carried)."""
    head = int(digits[:count].ljust(count, "0"))
    if len(digits) > count and digits[count] >= "5":
        head += 1
    if head == 10**count:
        return "1" + "0" * (count - 1), True
    return str(head), False


def decimal_digits(magnitude):
    """D and k of the 17-digit decimal form."""
    digits, k = exact_decimal(magnitude)
    rounded, carried = round_half_up(digits, DECIMAL_DIGITS_KEPT)
    return rounded.rstrip("0"), k + (1 if carried else 0)


def double_to_text(bits):
    negative = bool(bits >> 63)
    field = (bits >> 52) & 0x7FF
    fraction = bits & ((1 << 52) - 1)
    sign = "-" if negative else ""
    if field == 0x7FF:
        if fraction == 0:
            return sign + "1.#INF"
        quiet = fraction | (1 << 51)
        if negative and quiet == 1 << 51:
            return "-1.#IND"
        return sign + "1.#QNAN"
    _, magnitude = decode(DOUBLE, bits)
    if magnitude == 0:
        return "0"
    d, k = decimal_digits(magnitude)
    g, carried = round_half_up(d, SIGNIFICANT_DIGITS_SHOWN)
    k_rounded = k + (1 if carried else 0)
    q = k_rounded - 1
    if q < -4 or q >= 13:
        rest = g[1:].rstrip("0")
        body = g[0] + ("." + rest if rest else "")
        body += "e" + ("+" if q >= 0 else "-") + "%03d" % abs(q)
    elif k_rounded >= 1:
        rest = g[k_rounded:].rstrip("0")
        body = g[:k_rounded] + ("." + rest if rest else "")
    else:
        body = "0." + "0" * -k_rounded + g.rstrip("0")
    return sign + body


# --- The pulses calculation ---------------------------------------------------

PULLEY_CONSTANT_BITS = 0x400921FB4D12D84A  # the double nearest 3.1415926
PULLEY_CONSTANT = decode(DOUBLE, PULLEY_CONSTANT_BITS)[1]


def round_through(value, with_intermediate):
    """A positive exact result brought to double: through the 64-bit significand
    first (ties to even both times), or directly."""
    if with_intermediate:
        value = round_to_format(value, EXTENDED, TIES_TO_EVEN)
        assert value != INFINITY
    return round_to_format(value, DOUBLE, TIES_TO_EVEN)


def multiply_by_constant(negative, magnitude, with_intermediate=True):
    """(negative, magnitude) of the circumference; the constant is positive."""
    if magnitude == INFINITY or magnitude == 0:
        return negative, magnitude
    return negative, round_through(magnitude * PULLEY_CONSTANT, with_intermediate)


def divide(dividend, divisor, with_intermediate=True):
    """Bit pattern of dividend / divisor under IEEE 754 with exceptions masked;
    both are (negative, magnitude) without NaNs."""
    negative = dividend[0] != divisor[0]
    top, bottom = dividend[1], divisor[1]
    if (top == 0 and bottom == 0) or (top == INFINITY and bottom == INFINITY):
        return DOUBLE_INDEFINITE_NAN
    if bottom == 0 or top == INFINITY:
        return encode(DOUBLE, negative, INFINITY)
    if top == 0 or bottom == INFINITY:
        return encode(DOUBLE, negative, Fraction(0))
    return encode(DOUBLE, negative, round_through(top / bottom, with_intermediate))


def pulses_per_millimetre_bits(pulses_text, diameter_text, with_intermediate=True):
    """Bit pattern of the result, or None for missing input."""
    if len(pulses_text) == 0 or len(diameter_text) == 0:
        return None
    diameter = text_to_single_value(diameter_text)
    circumference = multiply_by_constant(*diameter, with_intermediate)
    pulses = text_to_single_value(pulses_text)
    return divide(pulses, circumference, with_intermediate)


def calculate_pulses_per_millimetre(pulses_text, diameter_text, with_intermediate=True):
    """The result text, or None for missing input."""
    bits = pulses_per_millimetre_bits(pulses_text, diameter_text, with_intermediate)
    return None if bits is None else double_to_text(bits)
