// The notification-area icon of the main window, and its pop-up menu.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win/handles.h"

namespace tavrel::app {

class TrayIcon {
  public:
    TrayIcon() = default;
    ~TrayIcon() { remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon for `window` with `icon` (kept until removal) and `tip`.
    // Without an icon handle nothing is added.
    void add(HWND window, win::UniqueIcon icon, std::wstring_view tip);
    // Adds the same icon again after the taskbar was created anew; also the
    // second chance of an add that failed because no shell was running.
    void restore();
    // Deletes the icon and destroys its handle.
    void remove();

  private:
    bool notify(DWORD action) const;

    HWND window_ = nullptr;
    win::UniqueIcon icon_;
    std::wstring tip_;
};

// Shows the tray menu with its right edge 5 pixels left of the cursor and
// its top 5 pixels above it; a chosen entry reaches `window` as WM_COMMAND.
void popUpTrayMenu(HWND window);

}  // namespace tavrel::app
