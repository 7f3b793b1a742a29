#include "platform/win/wide_text.h"

#include <windows.h>

namespace tavrel::win {

namespace {

constexpr UINT kChineseCodePage = 936;

std::wstring toWide(UINT codePage, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(needed > 0 ? needed : 0), L'\0');
    if (needed > 0) {
        MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), needed);
    }
    return wide;
}

std::string fromWide(UINT codePage, std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = static_cast<int>(wide.size());
    const int needed =
        WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(needed > 0 ? needed : 0), '\0');
    if (needed > 0) {
        WideCharToMultiByte(codePage, 0, wide.data(), length, text.data(), needed, nullptr,
                            nullptr);
    }
    return text;
}

}  // namespace

std::wstring utf8ToWide(std::string_view utf8) {
    return toWide(CP_UTF8, utf8);
}

std::string wideToUtf8(std::wstring_view wide) {
    return fromWide(CP_UTF8, wide);
}

std::string wideToCp936(std::wstring_view wide) {
    return fromWide(kChineseCodePage, wide);
}

}  // namespace tavrel::win
