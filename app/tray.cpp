#include "app/tray.h"

#include <shellapi.h>

#include "app/ids.h"

namespace tavrel::app {

namespace {

constexpr int kMenuOffset = 5;

struct MenuEntry {
    UINT command;
    const wchar_t* text;
};

constexpr MenuEntry kTrayMenu[] = {
    {ids::kCmdHide, L"隐藏软件"}, {ids::kCmdShow, L"显示软件"}, {ids::kCmdCancel, L"取消关机"},
    {ids::kCmdAbout, L"关于"},    {ids::kCmdExit, L"退出软件"},
};

}  // namespace

bool TrayIcon::notify(DWORD action) const {
    // The first layout of the record: understood by every shell.
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window_;
    data.uID = ids::kTrayIconId;
    if (action != NIM_DELETE) {
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = ids::kMsgTrayCallback;
        data.hIcon = icon_.get();
        // The tip always keeps a terminating zero.
        tip_.copy(data.szTip, std::size(data.szTip) - 1);
    }
    return Shell_NotifyIconW(action, &data) != FALSE;
}

void TrayIcon::add(HWND window, win::UniqueIcon icon, std::wstring_view tip) {
    if (!icon) {
        return;
    }
    window_ = window;
    icon_ = std::move(icon);
    tip_ = tip;
    notify(NIM_ADD);  // when no shell runs yet, TaskbarCreated brings a second chance
}

void TrayIcon::restore() {
    if (icon_) {
        notify(NIM_ADD);  // fails harmlessly when the icon is still there
    }
}

void TrayIcon::remove() {
    if (icon_) {
        notify(NIM_DELETE);
        icon_.reset();
    }
}

void popUpTrayMenu(HWND window) {
    const win::UniqueMenu menu(CreatePopupMenu());
    if (!menu) {
        return;
    }
    for (const MenuEntry& entry : kTrayMenu) {
        AppendMenuW(menu.get(), MF_STRING, entry.command, entry.text);
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    // The menu closes properly when the user clicks elsewhere only if the
    // window is in the foreground, hidden or not.
    SetForegroundWindow(window);
    TrackPopupMenu(menu.get(), TPM_RIGHTALIGN, cursor.x - kMenuOffset, cursor.y - kMenuOffset, 0,
                   window, nullptr);
    PostMessageW(window, WM_NULL, 0, 0);
}

}  // namespace tavrel::app
