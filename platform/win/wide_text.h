// Conversions between the UTF-16 of the W functions, UTF-8 (the portable
// code's display texts) and code page 936 (what the number parsers read).
#pragma once

#include <string>
#include <string_view>

namespace tavrel::win {

std::wstring utf8ToWide(std::string_view utf8);
std::string wideToUtf8(std::wstring_view wide);
// Characters that code page 936 lacks become '?'.
std::string wideToCp936(std::wstring_view wide);

}  // namespace tavrel::win
