#include "app/about_window.h"

#include "app/form.h"
#include "app/form_window.h"
#include "app/ids.h"
#include "app/main_window.h"
#include "app/program.h"

namespace tavrel::app {

AboutWindow::~AboutWindow() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

bool AboutWindow::registerClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = ids::kAboutWindowClass;
    return RegisterClassExW(&windowClass) != 0;
}

bool AboutWindow::create() {
    const HINSTANCE instance = program_.instance();
    if (createFormWindow(aboutForm(), ids::kAboutWindowClass, program_.owner(), instance, this) ==
        nullptr) {
        return false;
    }
    icon_ = loadProgramIcon(instance);
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
    createFormControls(hwnd_, aboutForm(), instance, nullptr);
    ShowWindow(hwnd_, SW_SHOW);
    disableOtherWindows();
    return true;
}

void AboutWindow::bringToFront() const {
    if (IsIconic(hwnd_)) {
        ShowWindow(hwnd_, SW_RESTORE);
    } else {
        SetActiveWindow(hwnd_);
    }
}

void AboutWindow::disableOtherWindows() {
    // In practice the main window, shown or hidden in the tray.
    for (HWND other : program_.topLevelWindows()) {
        if (other != hwnd_ && GetParent(other) == nullptr) {
            disabled_.emplace_back(other, IsWindowEnabled(other) != FALSE);
            EnableWindow(other, FALSE);
        }
    }
}

void AboutWindow::reenableOtherWindows() {
    for (const auto& [window, wasEnabled] : disabled_) {
        if (IsWindow(window)) {
            EnableWindow(window, wasEnabled ? TRUE : FALSE);
        }
    }
    disabled_.clear();
}

LRESULT CALLBACK AboutWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<AboutWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

LRESULT AboutWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: return msgEraseBackground(reinterpret_cast<HDC>(wParam));
        case WM_CLOSE: return msgClose();
        case WM_NCDESTROY: return msgNcDestroy();
        default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT AboutWindow::msgEraseBackground(HDC dc) {
    RECT area{};
    GetClientRect(hwnd_, &area);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
}

LRESULT AboutWindow::msgClose() {
    // Enable the others before this window goes, so the activation can
    // return to them.
    reenableOtherWindows();
    DestroyWindow(hwnd_);
    return 0;
}

LRESULT AboutWindow::msgNcDestroy() {
    reenableOtherWindows();
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    program_.windowGone();
    return 0;
}

}  // namespace tavrel::app
