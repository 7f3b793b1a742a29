#include "app/controls.h"

namespace tavrel::app {

std::wstring Control::text() const {
    const int length = GetWindowTextLengthW(hwnd_);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd_, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void Control::setText(std::wstring_view text) const {
    const std::wstring terminated(text);
    SetWindowTextW(hwnd_, terminated.c_str());
}

void ComboBox::addItem(std::wstring_view text) const {
    const std::wstring terminated(text);
    SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(terminated.c_str()));
}

}  // namespace tavrel::app
