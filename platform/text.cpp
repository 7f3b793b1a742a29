#include "platform/text.h"

#include <charconv>
#include <cstddef>
#include <limits>
#include <system_error>

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
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    uint32_t value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    }
    return asSigned(negative ? 0u - value : value);
}

double textToNumber(std::string_view gbk) {
    const std::string text = normaliseFullWidth(gbk);
    size_t i = skipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    // The number handed to the standard reader: sign and mantissa as typed, an
    // exponent always written with 'e', no plus sign in front.
    std::string number;
    if (negative) {
        number.push_back('-');
    }
    // Where the first significant digit stands among the mantissa digits, and
    // how many digits come before the point: together with the exponent they
    // tell a number too large for a double from one too small.
    size_t digits = 0;
    size_t integerDigits = 0;
    size_t firstSignificant = 0;
    bool significant = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            if (c != '0' && !significant) {
                significant = true;
                firstSignificant = digits;
            }
            ++digits;
            if (!point) {
                ++integerDigits;
            }
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        number.push_back(c);
    }
    if (digits == 0) {
        return 0.0;
    }

    // Past this size the exponent alone decides between infinity and zero: the
    // places of the digits shift the magnitude by less than the text's length.
    const int64_t exponentCap = static_cast<int64_t>(text.size()) + 400;
    int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            number.push_back('e');
            if (negativeExponent) {
                number.push_back('-');
            }
            for (; j < text.size() && isDigit(text[j]); ++j) {
                number.push_back(text[j]);
                if (exponent < exponentCap) {
                    exponent = exponent * 10 + (text[j] - '0');
                }
            }
            if (negativeExponent) {
                exponent = -exponent;
            }
        }
    }

    double value = 0.0;
    const char* first = number.data();
    const char* last = first + number.size();
    const std::from_chars_result result = std::from_chars(first, last, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Rounded to infinity or to zero. Only the magnitude is left to decide:
        // the first significant digit stands at 10^leading.
        const int64_t leading = static_cast<int64_t>(integerDigits) -
                                static_cast<int64_t>(firstSignificant) - 1 + exponent;
        value = leading >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
        if (negative) {
            value = -value;
        }
    }
    return value;
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
