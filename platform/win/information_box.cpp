#include "platform/win/information_box.h"

#include <windows.h>

#include <string>

namespace tavrel::win {

void showInformationBox(std::wstring_view message, std::wstring_view title) {
    const std::wstring text(message);
    const std::wstring caption(title);
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

}  // namespace tavrel::win
