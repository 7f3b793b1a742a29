#include "app/about_window.h"

#include "app/form.h"
#include "app/form_window.h"
#include "app/ids.h"
#include "app/window_class.h"
#include "app/main_window.h"
#include "app/program.h"

namespace tavrel::app {

AboutWindow::~AboutWindow() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

bool AboutWindow::registerClass(HINSTANCE instance) {
    return registerWindowClass(instance, ids::kAboutWindowClass, objectWindowProc<AboutWindow>);
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

LRESULT AboutWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: return fillWithButtonFace(hwnd_, reinterpret_cast<HDC>(wParam));
        case WM_CLOSE: return msgClose();
        case WM_NCDESTROY: return msgNcDestroy();
        default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
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
