// What a mouse message from the tray icon means. Pure logic.
#pragma once

namespace tavrel::app {

enum class TrayEvent {
    None = 0,             // ignored: moves, presses, other double-clicks
    LeftClick = 1,        // show the main window
    LeftDoubleClick = 2,  // show the main window
    Menu = 3,             // open the tray menu
};

// `mouseMessage` is the lParam of the tray icon's callback message.
TrayEvent trayEventOf(unsigned mouseMessage);

}  // namespace tavrel::app
