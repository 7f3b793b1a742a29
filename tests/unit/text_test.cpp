#include "platform/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace tavrel {
namespace {

uint64_t bitsOf(double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Texts as the boxes hold them in code page 936; "１２" is "\xA3\xB1\xA3\xB2".
struct ReadCase {
    const char* text;
    int32_t integer;
    double number;
};

TEST(TextReading, TypedTextsGiveTheirIntegerAndNumber) {
    const ReadCase cases[] = {
        {"", 0, 0},
        {" 12", 12, 12},
        {"12abc", 12, 12},
        {"1.9", 1, 1.9},
        {"-3", -3, -3},
        {"+5", 5, 5},
        {"abc", 0, 0},
        {"- 3", 0, 0},
        {"\xA3\xB1\xA3\xB2", 12, 12},  // full-width 12
        {"\xA3\xAD\xA3\xB3", -3, -3},  // full-width minus, 3
        {"\xA1\xA1\xA3\xB7", 7, 7},    // ideographic space, full-width 7
        {".5", 0, 0.5},
        {"5.", 5, 5},
        {"1e2", 1, 100},
        {"1d2", 1, 100},
        {"1e", 1, 1},
        {"1+2", 1, 1},
        {"2147483648", INT32_MIN, 2147483648.0},
        {"4294967297", 1, 4294967297.0},
        // The grammar around them.
        {"\t\n\v\f\r 8", 8, 8},
        {"\xA3\xAE\xA3\xB5\xA3\xE5\xA3\xAB\xA3\xB1", 0, 5},  // full-width .5e+1
        {"-.5E-1x", 0, -0.05},
        {"2D+3", 2, 2000},
        {"1.2.3", 1, 1.2},
        {"3e+", 3, 3},
        {"7ed2", 7, 7},
        {".", 0, 0},
        {"+-1", 0, 0},
        {"-4294967295", 1, -4294967295.0},
        {"\xD6\xD0"
         "5",
         0, 0},  // a Chinese character before the digit
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(textToInteger(c.text), c.integer);
        EXPECT_EQ(textToNumber(c.text), c.number);
    }
}

TEST(TextReading, NumbersAreCorrectlyRounded) {
    EXPECT_EQ(bitsOf(textToNumber("0.1")), bitsOf(0x1.999999999999ap-4));
    EXPECT_EQ(bitsOf(textToNumber("1e23")), bitsOf(0x1.52d02c7e14af6p+76));
    // Largest subnormal: the decimal lies just below the smallest normal.
    EXPECT_EQ(bitsOf(textToNumber("2.2250738585072011e-308")), bitsOf(0x0.fffffffffffffp-1022));
    EXPECT_EQ(bitsOf(textToNumber("1d2")), bitsOf(100.0));
    EXPECT_EQ(bitsOf(textToNumber("5e-324")), bitsOf(0x0.0000000000001p-1022));
    // One digit past the halfway point between the largest double and infinity.
    EXPECT_EQ(textToNumber("1.7976931348623159e308"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(bitsOf(textToNumber("1.7976931348623158e308")), bitsOf(0x1.fffffffffffffp+1023));
    // Rounded one place wrong by libstdc++'s from_chars on i686 MinGW.
    EXPECT_EQ(bitsOf(textToNumber("1499.01816e24")), bitsOf(0x1.35fd5c522296fp+90));
}

TEST(TextReading, MagnitudesBeyondADoubleKeepTheirSign) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(textToNumber("1e99999999999999999999"), inf);
    EXPECT_EQ(textToNumber("-1e400"), -inf);
    EXPECT_EQ(textToNumber("0.001e312"), inf);

    EXPECT_EQ(bitsOf(textToNumber("1e-400")), bitsOf(0.0));
    EXPECT_EQ(bitsOf(textToNumber("-1e-99999999999999999999")), bitsOf(-0.0));
    EXPECT_EQ(bitsOf(textToNumber("-1000e-327")), bitsOf(-0.0));
    EXPECT_EQ(bitsOf(textToNumber("0e99999999999999999999")), bitsOf(0.0));
}

TEST(TextReading, VeryLongTextsAreReadInFull) {
    // 10^100000 + 7 is 7 modulo 2^32, since 2^32 divides 10^32.
    const std::string integer = "1" + std::string(100000, '0') + "7";
    EXPECT_EQ(textToInteger(integer), 7);
    EXPECT_EQ(textToNumber(integer), std::numeric_limits<double>::infinity());

    // The places of many digits and a large exponent make up for each other.
    EXPECT_EQ(textToNumber("0." + std::string(100000, '0') + "1e100300"), 1e299);
    EXPECT_EQ(textToNumber("-1" + std::string(100000, '0') + "e-100300"), -1e-300);

    const std::string third = "0." + std::string(100000, '3');
    EXPECT_EQ(bitsOf(textToNumber(third)), bitsOf(0x1.5555555555555p-2));

    // Exactly halfway between 1 and the next double, decided by a last digit
    // far away: ties go to even (1), anything above rounds up.
    const std::string half = "1.00000000000000011102230246251565404236316680908203125";
    EXPECT_EQ(textToNumber(half), 1.0);
    EXPECT_EQ(textToNumber(half + std::string(100000, '0') + "1"), 0x1.0000000000001p+0);
}

struct NormaliseCase {
    std::string text;
    std::string normalised;
};

TEST(TextNormalising, FullWidthFormsBecomeAscii) {
    const NormaliseCase cases[] = {
        {"a1 -", "a1 -"},
        {"\xA3\xB0\xA3\xB9\xA3\xAB\xA3\xAD\xA3\xAE", "09+-."},
        {"\xA3\xA1\xA3\xC1\xA3\xE5\xA3\xFE", "!Ae~"},  // ends of the full-width block
        {"\xA1\xA1", " "},
        {"\xA1\xAB", "~"},
        {"\xA1\xEE\xA1\xEF", "**"},
        // Other two-byte characters stay, whatever their second byte.
        {"\xD6\xD0\xA3\xA0\xA3\xFF\xA1\xA2", "\xD6\xD0\xA3\xA0\xA3\xFF\xA1\xA2"},
        {"\x81\x31"
         "2",
         "\x81\x31"
         "2"},
        // The second byte of a character is never read as a first byte.
        {"\x81\xA3\xB1", "\x81\xA3"},
        // Half a character at the end is dropped.
        {"12\xA3", "12"},
        {"\xD6", ""},
        {std::string("1\0"
                     "2",
                     3),
         std::string("1\0"
                     "2",
                     3)},
    };
    for (const NormaliseCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(normaliseFullWidth(c.text), c.normalised);
    }
}

TEST(TextWriting, IntegersArePlainDecimal) {
    EXPECT_EQ(integerToText(0), "0");
    EXPECT_EQ(integerToText(9), "9");
    EXPECT_EQ(integerToText(-1), "-1");
    EXPECT_EQ(integerToText(59), "59");
    EXPECT_EQ(integerToText(std::numeric_limits<int32_t>::min()), "-2147483648");
    EXPECT_EQ(integerToText(std::numeric_limits<int32_t>::max()), "2147483647");
}

TEST(TextWriting, JoinedTextsFollowEachOtherInOrder) {
    EXPECT_EQ(joinTexts({"\xB5\xB1\xC7\xB0", "", "12", ":", "05"}),
              "\xB5\xB1\xC7\xB0"
              "12:05");
    EXPECT_EQ(joinTexts({""}), "");
    EXPECT_EQ(joinTexts({std::string_view("a\0b", 3), "c"}), std::string("a\0bc", 4));
}

}  // namespace
}  // namespace tavrel
