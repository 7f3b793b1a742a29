// The keys the message loops handle before dispatching: Esc closes the
// window the key belongs to, Tab and Shift+Tab walk the fixed Tab order, and
// the arrow keys move between the radio buttons.
#pragma once

#include <windows.h>

namespace tavrel::app {

// True when the key was used up and must not be dispatched. `mainWindow` and
// `aboutWindow` are the program's top-level windows (nullptr when not open).
bool applyKeyboardRules(const MSG& message, HWND mainWindow, HWND aboutWindow);

// Whether a control of the Tab order can take the focus: visible and enabled.
// Every control of the order is a tab stop by its form; the live WS_TABSTOP
// bit is not asked, since Windows takes it off an unchecked radio button.
bool canTakeFocus(HWND control);

}  // namespace tavrel::app
