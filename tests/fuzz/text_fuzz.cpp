// libFuzzer target for the text readers. Every input is read by the program's
// own functions and, independently, by a plain reference reading built here
// from the rules of the readers and the C library's strtod; the two must agree
// to the bit. Build and run it with scripts/fuzz.
#include "platform/text.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "MISMATCH in %s: %s\n", what, detail.c_str());
    std::abort();
}

// Reference normalisation: a two-state reader (waiting for a first byte, or
// holding one) over the code page 936 bytes.
std::string referenceNormalised(const uint8_t* data, size_t size) {
    std::string out;
    int held = -1;
    for (size_t k = 0; k < size; ++k) {
        const unsigned b = data[k];
        if (held < 0) {
            if (b >= 0x80) {
                held = static_cast<int>(b);
            } else {
                out += static_cast<char>(b);
            }
            continue;
        }
        const unsigned code = (static_cast<unsigned>(held) << 8) | b;
        held = -1;
        switch (code) {
            case 0xA1A1: out += ' '; break;
            case 0xA1AB: out += '~'; break;
            case 0xA1EE:
            case 0xA1EF: out += '*'; break;
            default:
                if (code > 0xA3A0 && code < 0xA3FF) {
                    out += static_cast<char>(code - 0xA380);  // 0x21 '!' .. 0x7E '~'
                } else {
                    out += static_cast<char>(code >> 8);
                    out += static_cast<char>(code & 0xFF);
                }
        }
    }
    return out;  // a byte still held here is half a character: dropped
}

bool isBlank(char c) {
    return c != '\0' && std::strchr(" \t\n\v\f\r", c) != nullptr;
}

size_t countDigits(const std::string& s, size_t from) {
    size_t n = 0;
    while (from + n < s.size() && s[from + n] >= '0' && s[from + n] <= '9') {
        ++n;
    }
    return n;
}

int32_t referenceInteger(const std::string& s) {
    size_t k = 0;
    while (k < s.size() && isBlank(s[k])) {
        ++k;
    }
    bool minus = false;
    if (k < s.size() && (s[k] == '-' || s[k] == '+')) {
        minus = s[k] == '-';
        ++k;
    }
    const uint64_t modulus = uint64_t{1} << 32;
    uint64_t v = 0;
    const size_t end = k + countDigits(s, k);
    for (; k < end; ++k) {
        v = (v * 10 + static_cast<uint64_t>(s[k] - '0')) % modulus;
    }
    if (minus) {
        v = (modulus - v) % modulus;
    }
    const int64_t wide = v >= (modulus >> 1)
                             ? static_cast<int64_t>(v) - static_cast<int64_t>(modulus)
                             : static_cast<int64_t>(v);
    return static_cast<int32_t>(wide);
}

// The number at the start of s as strtod reads it: [sign] A [. B] [exp], where
// A and B are runs of digits, not both empty, and exp is e/E/d/D, an optional
// sign and at least one digit. strtod takes the sign and either run empty as
// they are; only the exponent letter is rewritten. The process never changes
// its locale, so strtod reads a full stop as the decimal point.
double referenceNumber(const std::string& s) {
    size_t k = 0;
    while (k < s.size() && isBlank(s[k])) {
        ++k;
    }
    const size_t start = k;
    if (k < s.size() && (s[k] == '-' || s[k] == '+')) {
        ++k;
    }
    const size_t a = countDigits(s, k);
    k += a;
    size_t b = 0;
    if (k < s.size() && s[k] == '.') {
        b = countDigits(s, k + 1);
        ++k;
        k += b;
    }
    if (a + b == 0) {
        return 0.0;
    }
    std::string ascii = s.substr(start, k - start);
    if (k < s.size() && s[k] != '\0' && std::strchr("eEdD", s[k]) != nullptr) {
        size_t e = k + 1;
        if (e < s.size() && (s[e] == '-' || s[e] == '+')) {
            ++e;
        }
        const size_t c = countDigits(s, e);
        if (c > 0) {
            ascii += 'e';
            ascii += s.substr(k + 1, e + c - (k + 1));
        }
    }
    char* end = nullptr;
    const double value = std::strtod(ascii.c_str(), &end);
    if (end != ascii.c_str() + ascii.size()) {
        fail("reference", "strtod did not take all of \"" + ascii + "\"");
    }
    return value;
}

uint64_t bitsOf(double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::string hexBits(double value) {
    const uint64_t bits = bitsOf(value);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(bits));
    return buffer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::string normalised = tavrel::normaliseFullWidth(text);
    const std::string expectedNormalised = referenceNormalised(data, size);
    if (normalised.size() > size) {
        fail("normaliseFullWidth", "the copy is longer than the text");
    }
    if (normalised != expectedNormalised) {
        fail("normaliseFullWidth", "the copy differs from the table's mapping");
    }

    const int32_t integer = tavrel::textToInteger(text);
    const int32_t expectedInteger = referenceInteger(expectedNormalised);
    if (integer != expectedInteger) {
        fail("textToInteger",
             std::to_string(integer) + ", expected " + std::to_string(expectedInteger));
    }

    const double number = tavrel::textToNumber(text);
    const double expectedNumber = referenceNumber(expectedNormalised);
    if (bitsOf(number) != bitsOf(expectedNumber)) {
        fail("textToNumber", hexBits(number) + ", expected " + hexBits(expectedNumber));
    }
    return 0;
}
