// What the program's top-level windows share: their window class, the
// procedure that finds the C++ object behind a window, and the background.
#pragma once

#include <windows.h>

namespace tavrel::app {

// Registers a class with the arrow cursor, the styles CS_VREDRAW, CS_HREDRAW
// and CS_DBLCLKS and no background brush (the window paints its own).
bool registerWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC procedure);

// Fills the window's client area with the button face colour; the answer to
// WM_ERASEBKGND.
LRESULT fillWithButtonFace(HWND window, HDC dc);

// The window procedure of a class whose objects are passed as lpCreateParams
// to CreateWindowExW: it keeps the object in GWLP_USERDATA and hands every
// message to its handleMessage. `Window` has an `HWND hwnd_` member.
template <typename Window>
LRESULT CALLBACK objectWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

}  // namespace tavrel::app
