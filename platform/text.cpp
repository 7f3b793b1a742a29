#include "platform/text.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace tavrel {

namespace {

// Two's-complement view of a wrapped 32-bit value, without relying on the
// implementation-defined unsigned-to-signed conversion.
int32_t asSigned(uint32_t value) {
    if (value <= static_cast<uint32_t>(std::numeric_limits<int32_t>::max())) {
        return static_cast<int32_t>(value);
    }
    return static_cast<int32_t>(value - 0x80000000u) + std::numeric_limits<int32_t>::min();
}

bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Index of the first character after the leading white space.
size_t skipSpace(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && isSpace(text[i])) {
        ++i;
    }
    return i;
}

// Exponents are read up to this size; larger ones mean the same.
constexpr int64_t kExponentLimit = 1000000000;
// Every double lies between 10^-324 and 10^309: a first significant digit
// outside these places means zero or infinity.
constexpr int64_t kLargestLeading = 310;
constexpr int64_t kSmallestLeading = -330;
// More than enough digits to round any decimal to the nearest double (767
// can matter); the rest are summed up in one sticky digit.
constexpr size_t kSignificantDigits = 800;

// Takes one optional sign at *i; true for a minus.
bool readSign(std::string_view text, size_t* i) {
    if (*i < text.size() && (text[*i] == '+' || text[*i] == '-')) {
        return text[(*i)++] == '-';
    }
    return false;
}

}  // namespace

std::string normaliseFullWidth(std::string_view gbk) {
    std::string out;
    out.reserve(gbk.size());
    size_t i = 0;
    while (i < gbk.size()) {
        const auto lead = static_cast<unsigned char>(gbk[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<char>(lead));
            ++i;
            continue;
        }
        if (i + 1 == gbk.size()) {
            break;  // half a character at the end
        }
        const auto trail = static_cast<unsigned char>(gbk[i + 1]);
        i += 2;
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            out.push_back(static_cast<char>(trail - 0x80));
        } else if (lead == 0xA1 && trail == 0xA1) {
            out.push_back(' ');
        } else if (lead == 0xA1 && trail == 0xAB) {
            out.push_back('~');
        } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
            out.push_back('*');
        } else {
            out.push_back(static_cast<char>(lead));
            out.push_back(static_cast<char>(trail));
        }
    }
    return out;
}

int32_t textToInteger(std::string_view gbk) {
    const std::string text = normaliseFullWidth(gbk);
    size_t i = skipSpace(text);
    const bool negative = readSign(text, &i);
    uint32_t value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    }
    return asSigned(negative ? 0u - value : value);
}

double textToNumber(std::string_view gbk) {
    const std::string text = normaliseFullWidth(gbk);
    size_t i = skipSpace(text);
    const bool negative = readSign(text, &i);

    // The mantissa's digits without the point, and how many stood before it.
    std::string digits;
    size_t integerDigits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            digits.push_back(c);
            if (!point) {
                ++integerDigits;
            }
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits.empty()) {
        return 0.0;
    }

    // The exponent, held far beyond any double's range but never overflowing.
    int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        size_t j = i + 1;
        const bool negativeExponent = readSign(text, &j);
        for (; j < text.size() && isDigit(text[j]); ++j) {
            if (exponent < kExponentLimit) {
                exponent = exponent * 10 + (text[j] - '0');
            }
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }

    // Scientific form: the first significant digit at 10^leading.
    const size_t firstSignificant = digits.find_first_not_of('0');
    if (firstSignificant == std::string::npos) {
        return negative ? -0.0 : 0.0;
    }
    const int64_t leading =
        static_cast<int64_t>(integerDigits) - static_cast<int64_t>(firstSignificant) - 1 + exponent;
    const double infinity = std::numeric_limits<double>::infinity();
    if (leading > kLargestLeading) {
        return negative ? -infinity : infinity;
    }
    if (leading < kSmallestLeading) {
        return negative ? -0.0 : 0.0;
    }
    std::string significant = digits.substr(firstSignificant);
    significant.erase(significant.find_last_not_of('0') + 1);
    if (significant.size() > kSignificantDigits) {
        // Digits this far down only tell on which side of a halfway point the
        // value lies: one nonzero digit in their place says the same.
        const bool rest =
            significant.find_first_not_of('0', kSignificantDigits) != std::string::npos;
        significant.resize(kSignificantDigits);
        if (rest) {
            significant.push_back('1');
        }
    }

    // A short, well-formed text for the C library, which rounds correctly
    // (glibc, mingw-w64 and the Universal CRT alike). The program never
    // changes the C locale, so its decimal point is '.'.
    std::string number;
    if (negative) {
        number.push_back('-');
    }
    number.push_back(significant[0]);
    number.push_back('.');
    number.append(significant, 1, std::string::npos);
    number.push_back('e');
    number += std::to_string(leading);
    return std::strtod(number.c_str(), nullptr);
}

std::string integerToText(int32_t value) {
    char buffer[16];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string joinTexts(std::initializer_list<std::string_view> texts) {
    size_t length = 0;
    for (std::string_view text : texts) {
        length += text.size();
    }
    std::string joined;
    joined.reserve(length);
    for (std::string_view text : texts) {
        joined.append(text);
    }
    return joined;
}

}  // namespace tavrel
