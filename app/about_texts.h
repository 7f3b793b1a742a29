// Who made the program and how to reach them, as the About window shows it.
// A packager changes these two lines and nothing else.
#pragma once

namespace tavrel::app {

inline constexpr const wchar_t kAboutAuthorLine[] = L"作者：Tavrel 开发组";
inline constexpr const wchar_t kAboutContactLine[] = L"邮箱：tavrel@example.org";

}  // namespace tavrel::app
