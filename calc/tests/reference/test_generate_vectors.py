"""Self-test of the exact reference and the vector file format.

The documented examples of the calculation, the reading and the formatting are
the independent check here; where Python's own correctly rounded arithmetic
agrees with the program's rules (no exact halves), it is a second check.

Run: python3 -m unittest discover -s calc/tests/reference
"""

import math
import random
import struct
import unittest
from decimal import ROUND_HALF_UP, Context, Decimal
from fractions import Fraction

import exact_reference as ref
import generate_vectors as gen


def double_bits(x):
    return struct.unpack("<Q", struct.pack("<d", x))[0]


def single_bits(x):
    return struct.unpack("<I", struct.pack("<f", x))[0]


def bits_double(b):
    return struct.unpack("<d", struct.pack("<Q", b))[0]


POSITIVE_ZERO_SINGLE = 0x00000000
NEGATIVE_ZERO_SINGLE = 0x80000000
POSITIVE_INFINITY_SINGLE = 0x7F800000
NEGATIVE_INFINITY_SINGLE = 0xFF800000


class DocumentedCalculation(unittest.TestCase):
    ROWS = [
        (b"12800", b"21", "194.0174577454"),
        (b"", b"21", None),
        (b"", b"", None),
        (b"12800", b"", None),
        (b"12800", b" ", "1.#INF"),  # a space reads as 0
        (b" ", b"21", "0"),
        (b"12800", b"0", "1.#INF"),
        (b"-12800", b"0", "-1.#INF"),
        (b"12800", b"-0", "-1.#INF"),
        (b"0", b"0", "-1.#IND"),
        (b"16777217", b"1", "5340353.806537"),  # the pulse count narrows to 16777216
        (b"12800", b"0.1", "40743.66551941"),  # the diameter narrows to a single
        (b"10000", b"20", "159.1549458068"),
        (b"1", b"1", "0.3183098916136"),
        (b"-12800", b"21", "-194.0174577454"),
        (b"12800", b"1e+040", "0"),  # the diameter becomes +inf
    ]

    def test_documented_outcomes(self):
        for pulses, diameter, expected in self.ROWS:
            with self.subTest(pulses=pulses, diameter=diameter):
                self.assertEqual(ref.calculate_pulses_per_millimetre(pulses, diameter), expected)

    def test_double_precision_figures_quoted_for_comparison(self):
        # The documented results "in double precision" (no narrowing to single).
        pi = bits_double(ref.PULLEY_CONSTANT_BITS)
        self.assertEqual(ref.double_to_text(double_bits(16777217.0 / (1.0 * pi))), "5340354.124847")
        self.assertEqual(ref.double_to_text(double_bits(12800.0 / (0.1 * pi))), "40743.66612654")

    def test_pulley_constant_is_the_double_nearest_the_decimal(self):
        self.assertEqual(double_bits(3.1415926), ref.PULLEY_CONSTANT_BITS)

    def test_direct_rounding_matches_hardware_double_arithmetic(self):
        rng = random.Random(7)
        pi = bits_double(ref.PULLEY_CONSTANT_BITS)
        for _ in range(2000):
            p = struct.unpack("<f", struct.pack("<f", rng.uniform(-1e6, 1e6)))[0]
            d = struct.unpack("<f", struct.pack("<f", rng.uniform(1e-3, 1e4)))[0]
            pt, dt = repr(p).encode(), repr(d).encode()
            self.assertEqual(ref.text_to_single(pt), single_bits(p))
            got = ref.pulses_per_millimetre_bits(pt, dt, with_intermediate=False)
            self.assertEqual(got, double_bits(p / (d * pi)), (pt, dt))


class DocumentedReading(unittest.TestCase):
    SINGLE_ROWS = [
        (b"12800", 12800.0),
        (b"21", 21.0),
        (b" 21", 21.0),
        (b"\t21", 21.0),
        (b"\xa1\xa121", 21.0),
        (b"21mm", 21.0),
        (b"1,5", 1.0),
        (b"1 2", 1.0),
        (b"1-2", 1.0),
        (b"1.5.3", 1.5),
        (b"\xa3\xb1\xa3\xb2\xa3\xb8\xa3\xb0\xa3\xb0", 12800.0),
        (b"\xa3\xad\xa3\xb5", -5.0),
        (b"\xa3\xae\x35", 0.5),
        (b"12\xa3", 12.0),
        (b"", 0.0),
        (b"abc", 0.0),
        (b"-", 0.0),
        (b".", 0.0),
        (b"- 5", 0.0),
        (b"+-5", 0.0),
        (b"inf", 0.0),
        (b"nan", 0.0),
        (b"0x10", 0.0),
        (b"0e99999", 0.0),
        (b"1e3", 1000.0),
        (b"1E3", 1000.0),
        (b"1d3", 1000.0),
        (b"1D3", 1000.0),
        (b"1e", 1.0),
        (b"1e+", 1.0),
        (b"1e-", 1.0),
        (b"1e2.5", 100.0),
        (b"5.", 5.0),
        (b".5", 0.5),
        (b"+.5e1", 5.0),
        (b"16777217", 16777216.0),
        (b"16777219", 16777220.0),
        (b"16777217.000000000000000000001", 16777216.0),
        (b"1e5200", float("inf")),
        (b"1e5201", float("inf")),
        (b"1e99999", float("inf")),
        (b"1e-99999", 0.0),
        (b"1e39", float("inf")),
        (b"-1e39", float("-inf")),
        (b"3.4028236e38", float("inf")),
    ]
    SINGLE_BIT_ROWS = [
        (b"-0", NEGATIVE_ZERO_SINGLE),
        (b"-0.0", NEGATIVE_ZERO_SINGLE),
        (b"-0e5", NEGATIVE_ZERO_SINGLE),
        (b"-", POSITIVE_ZERO_SINGLE),  # +0 also after a lone minus
        (b"-1e-99999", NEGATIVE_ZERO_SINGLE),
        (b"0.1", 0x3DCCCCCD),
        (b"3.4028235e38", 0x7F7FFFFF),
        (b"1e-45", 0x00000001),
        (b"7.1e-46", 0x00000001),
        (b"7e-46", POSITIVE_ZERO_SINGLE),
    ]
    DOUBLE_ROWS = [
        (b"\xa3\xb1\xa3\xb2\xa3\xb8\xa3\xb0\xa3\xb0", 0x0000000000000000),  # no folding
        (b"0.1", 0x3FB999999999999A),
        (b"9007199254740993", double_bits(9007199254740992.0)),
        (b"9007199254740995", double_bits(9007199254740994.0)),
        (b"1.7976931348623157e308", 0x7FEFFFFFFFFFFFFF),
        (b"1.7976931348623159e308", 0x7FF0000000000000),
    ]

    def test_documented_single_values(self):
        for text, value in self.SINGLE_ROWS:
            with self.subTest(text=text):
                self.assertEqual(ref.text_to_single(text), single_bits(value))

    def test_documented_single_bit_patterns(self):
        for text, bits in self.SINGLE_BIT_ROWS:
            with self.subTest(text=text):
                self.assertEqual(ref.text_to_single(text), bits)

    def test_documented_double_bit_patterns(self):
        for text, bits in self.DOUBLE_ROWS:
            with self.subTest(text=text):
                self.assertEqual(ref.text_to_double(text), bits)

    def test_digit_and_exponent_rules(self):
        z = "0"
        rows = [
            # 24 digits: just above the half between 2**53 and its neighbour.
            (b"9007199254740993.00000001", 9007199254740994.0),
            # The 25th digit 1 is dropped: exactly the half, toward zero.
            (b"9007199254740993.000000001", 9007199254740992.0),
            # The 25th digit 5 raises the 24th: above the half.
            (b"9007199254740993.000000005", 9007199254740994.0),
            (b"-9007199254740993.000000004999", -9007199254740992.0),
            # Thirty digits without a point: the last six count as zeros, the
            # 25th (5) rounds the 24th up.
            (b"123456789012345678901234567890", 1.23456789012345678901235e29),
            (b"1234567890123456789012344999999", 1.23456789012345678901234e30),
            # A run of exponent digits beyond 5200 reads as 5201.
            (("0." + z * 5000 + "1e99999").encode(), 1e200),
            (("1" + z * 5000 + "e-99999").encode(), 1e-201),
            (("0." + z * 5000 + "1e5200").encode(), 1e199),
            (("1" + z * 400).encode(), float("inf")),
            (("0." + z * 400 + "1").encode(), 0.0),
            (b"1e0000000000000000000000000000005", 1e5),
        ]
        for text, value in rows:
            with self.subTest(text=text[:40]):
                self.assertEqual(ref.text_to_double(text), double_bits(value))

    def test_corpus_differences_are_long_or_exact_halves(self):
        differences, short_mismatches, lines = gen.corpus_differences(gen.DEFAULT_CORPUS)
        self.assertEqual(short_mismatches, [])
        texts = {text for text, _, _ in differences}
        for named in (b"9007199254740995", b"4503599627370497.5", b"72057594037927932.0"):
            self.assertIn(named, texts)
        for text in texts:
            digits = text.split(b"e")[0].replace(b".", b"").lstrip(b"+-0").rstrip(b"0")
            exact = Fraction(text.decode())
            lower = bits_double(double_bits(float(exact)))  # nearest, ties to even
            neighbour = math.nextafter(lower, math.inf if Fraction(lower) < exact else -math.inf)
            is_half = Fraction(lower) + Fraction(neighbour) == 2 * exact
            self.assertTrue(len(digits) > 24 or is_half, text)

    def test_folding_rules_on_bytes(self):
        rows = [
            (b"\xa3\xa4", b"\x24"),  # full-width yen sign becomes the dollar sign
            (b"\xa3\xfe", b"\x7e"),
            (b"\xa3\xa1", b"!"),
            (b"\xa3\xa0", b"\xa3\xa0"),  # below the folded range: kept
            (b"\xa3\xff", b"\xa3\xff"),
            (b"\xa1\xa1\xa1\xab\xa1\xee\xa1\xef", b" ~**"),
            (b"\x01\x7f", b"\x01\x7f"),
            (b"\xb0\xa1", b"\xb0\xa1"),
            (b"\x81\x35", b"\x81\x35"),  # the second byte is taken whatever it is
            (b"1\xa3", b"1"),
            (b"\xa3", b""),
        ]
        for text, folded in rows:
            with self.subTest(text=text):
                self.assertEqual(ref.fold_full_width(text), folded)

    def test_short_numbers_read_as_one_step_nearest_single(self):
        rng = random.Random(11)
        for _ in range(3000):
            d = rng.randrange(10 ** rng.randint(1, 9))
            e = rng.randint(-8, 9)
            text = ("%de%d" % (d, e)).encode()
            self.assertEqual(ref.text_to_single(text), single_bits(float(text)), text)

    def test_reading_agrees_with_correct_rounding_away_from_halves(self):
        rng = random.Random(3)
        for _ in range(3000):
            digits = str(rng.randrange(1, 10 ** rng.randint(1, 20)))
            text = ("%se%d" % (digits, rng.randint(-340, 300))).encode()
            # Python rounds exactly with ties to even; at most 20 digits never
            # make an exact half of two doubles in this exponent range except
            # by construction, which random digits practically never hit.
            self.assertEqual(ref.text_to_double(text), double_bits(float(text)), text)

    def test_narrowing_matches_hardware(self):
        rng = random.Random(5)
        for _ in range(3000):
            bits = rng.getrandbits(64)
            if (bits >> 52) & 0x7FF == 0x7FF:
                continue
            x = bits_double(bits)
            negative, magnitude = ref.decode(ref.DOUBLE, bits)
            narrowed = ref.encode(ref.SINGLE, *ref.narrow_to_single(negative, magnitude))
            try:
                expected = single_bits(x)
            except OverflowError:  # struct refuses when the cast gives infinity
                expected = NEGATIVE_INFINITY_SINGLE if x < 0 else POSITIVE_INFINITY_SINGLE
            self.assertEqual(narrowed, expected, hex(bits))


class DocumentedFormatting(unittest.TestCase):
    ROWS = [
        (194.01745774541533, "194.0174577454"),
        (-194.01745774541533, "-194.0174577454"),
        (0.0, "0"),
        (-0.0, "0"),
        (0.1, "0.1"),
        (0.5, "0.5"),
        (3.0, "3"),
        (100.0, "100"),
        (65.9734446, "65.9734446"),
        (1e12, "1000000000000"),
        (1e13, "1e+013"),
        (123456789012345.0, "1.234567890123e+014"),
        (1234567890123456789.0, "1.234567890123e+018"),
        (9999999999999.5, "1e+013"),
        (99999999999999.5, "1e+014"),
        (1234567890122.5, "1234567890123"),
        (1234567890123.4, "1234567890123"),
        (12.651009889485, "12.65100988949"),
        (0.0001, "0.0001"),
        (0.000099999999999995, "0.0001"),
        (0.00009999999999999, "9.999999999999e-005"),
        (0.000123, "0.000123"),
        (0.00001, "1e-005"),
        (-0.00000025, "-2.5e-007"),
        (2.0**-20, "9.536743164063e-007"),
        (1e100, "1e+100"),
        (1e-100, "1e-100"),
        (1.7976931348623157e308, "1.797693134862e+308"),
        (5e-324, "4.940656458412e-324"),
        (float("inf"), "1.#INF"),
        (float("-inf"), "-1.#INF"),
        (2.0469720192595e-282, "2.04697201926e-282"),
    ]
    BIT_ROWS = [
        (0xFFF8000000000000, "-1.#IND"),
        (0x7FF8000000000000, "1.#QNAN"),
        (0xFFF8000000000001, "-1.#QNAN"),
        (0x7FF0000000000001, "1.#QNAN"),
        (0xFFF0000000000001, "-1.#QNAN"),  # quiet bit set first: not the 0/0 NaN
    ]

    def test_documented_texts(self):
        for value, text in self.ROWS:
            with self.subTest(value=value):
                self.assertEqual(ref.double_to_text(double_bits(value)), text)

    def test_documented_special_texts(self):
        for bits, text in self.BIT_ROWS:
            with self.subTest(bits=hex(bits)):
                self.assertEqual(ref.double_to_text(bits), text)

    def test_digits_agree_with_decimal_module(self):
        rng = random.Random(9)
        context = Context(prec=17, rounding=ROUND_HALF_UP)
        for _ in range(3000):
            bits = rng.getrandbits(63)
            if (bits >> 52) == 0x7FF or bits == 0:
                continue
            exact = Decimal(bits_double(bits))  # the exact binary value
            expected = context.plus(exact).normalize(context)
            d, k = ref.decimal_digits(ref.decode(ref.DOUBLE, bits)[1])
            sign, digits, exponent = expected.as_tuple()
            self.assertEqual(d, "".join(map(str, digits)), hex(bits))
            self.assertEqual(k, exponent + len(digits), hex(bits))


class VectorFileFormat(unittest.TestCase):
    def test_escape_round_trip(self):
        rows = [b"", b"12800", b" 1", b"\\", b'"', b"\x00\x7f\x80\xff", b"a\\x41"]
        for raw in rows:
            with self.subTest(raw=raw):
                escaped = gen.escape(raw)
                self.assertNotIn(" ", escaped)
                self.assertEqual(gen.unescape(escaped), raw)


if __name__ == "__main__":
    unittest.main()
