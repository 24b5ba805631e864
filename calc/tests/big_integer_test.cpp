// The exact quotients against 128-bit integer arithmetic.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "calc/big_integer.h"

namespace veskora::detail {
namespace {

__extension__ typedef unsigned __int128 Wide;

int WideBitLength(Wide value) {
    int bits = 0;
    for (; value != 0; value >>= 1) ++bits;
    return bits;
}

// The reference: q = floor(a * 2^s / b) with q in [2^63, 2^64), where
// a * 2^s fits in 128 bits (a and b below 2^40).
QuotientBits WideQuotient(uint64_t a, uint64_t b) {
    for (int s = -64; s <= 120; ++s) {
        Wide numerator = s >= 0 ? Wide{a} << s : Wide{a};
        Wide denominator = s >= 0 ? Wide{b} : Wide{b} << -s;
        Wide q = numerator / denominator;
        if (WideBitLength(q) != 64) continue;
        Wide rest = numerator % denominator;
        Wide twice = rest * 2;
        int versusHalf = twice < denominator ? -1 : twice > denominator ? 1 : 0;
        return {static_cast<uint64_t>(q), s, versusHalf, rest == 0};
    }
    return {};
}

TEST(BigInteger, LeadingQuotientBitsMatchWideIntegers) {
    std::mt19937_64 random(7);
    const uint64_t special[][2] = {{1, 1},
                                   {1, 3},
                                   {2, 3},
                                   {1, 5},
                                   {5, 1},
                                   {(1ull << 40) - 1, 1},
                                   {1, (1ull << 40) - 1},
                                   {3, 2},
                                   {7, 7},
                                   {12800, 65973444}};
    auto check = [](uint64_t a, uint64_t b) {
        QuotientBits got = LeadingQuotientBits(MakeBigInteger(a), MakeBigInteger(b));
        QuotientBits want = WideQuotient(a, b);
        EXPECT_EQ(got.bits, want.bits) << a << " / " << b;
        EXPECT_EQ(got.shift, want.shift) << a << " / " << b;
        EXPECT_EQ(got.restVersusHalf, want.restVersusHalf) << a << " / " << b;
        EXPECT_EQ(got.restIsZero, want.restIsZero) << a << " / " << b;
    };
    for (const auto& pair : special) check(pair[0], pair[1]);
    for (int i = 0; i < 20000; ++i) {
        int aBits = static_cast<int>(random() % 40) + 1;
        int bBits = static_cast<int>(random() % 40) + 1;
        uint64_t a = (random() >> (64 - aBits)) | 1ull << (aBits - 1);
        uint64_t b = (random() >> (64 - bBits)) | 1ull << (bBits - 1);
        check(a, b);
    }
}

TEST(BigInteger, PowersOfFiveAndShifts) {
    Wide five = 1;
    for (int k = 0; k <= 55; ++k, five *= 5) {
        BigInteger power = MakeBigInteger(1);
        MultiplyByPowerOfFive(power, k);
        BigInteger low = MakeBigInteger(static_cast<uint64_t>(five));
        // The high and low 64 bits, as quotient and remainder by 2^64.
        BigInteger twoTo64 = MakeBigInteger(1);
        ShiftLeft(twoTo64, 64);
        BigInteger copy = power;
        EXPECT_EQ(DivideWithRemainder(copy, twoTo64), static_cast<uint64_t>(five >> 64)) << k;
        EXPECT_EQ(Compare(copy, low), 0) << k;
        EXPECT_EQ(BitLength(power), WideBitLength(five)) << k;
    }
}

}  // namespace
}  // namespace veskora::detail
