// The information box of the refused starts.
#pragma once

#include <string_view>

namespace tavrel::win {

// A task-modal box with the information icon and one OK button: every
// top-level window of the thread is disabled until it is dismissed, while
// its message loop keeps the timers ticking.
void showInformationBox(std::wstring_view message, std::wstring_view title);

}  // namespace tavrel::win
