// Conversions between the texts of the combo boxes and numbers.
//
// The texts handled here are byte strings in code page 936 (GBK), as the boxes
// hold them once the shell has converted them from UTF-16. Nothing here ever
// fails: what cannot be read counts as 0.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tavrel {

// Copy of `gbk` with the full-width forms replaced by their ASCII twins: the
// full-width block (0xA3 0xA1..0xFE) by the byte second - 0x80, the
// ideographic space by a space, "～" by "~", "☆" and "★" by "*". Other
// two-byte characters are kept; a lead byte at the very end is dropped.
std::string normaliseFullWidth(std::string_view gbk);

// Optional white space, optional sign, decimal digits; wraps modulo 2^32.
int32_t textToInteger(std::string_view gbk);

// The double nearest to the longest decimal number at the start of the text
// (optional sign, digits with at most one point, optional exponent introduced
// by e, E, d or D). A magnitude beyond the range of a double gives infinity,
// one below it a denormal or zero, each with its sign.
double textToNumber(std::string_view gbk);

// Plain decimal, no leading zeros, a minus sign for negatives.
std::string integerToText(int32_t value);

// The texts one after the other.
std::string joinTexts(std::initializer_list<std::string_view> texts);

}  // namespace tavrel
