// The program's own label: a child window that paints its text on the button
// face colour and receives mouse presses itself (no STATIC control, which
// would pass them to its parent).
#pragma once

#include <windows.h>

namespace tavrel::app {

// The notification code a label sends to its parent (WM_COMMAND) when the
// left mouse button is pressed on it, before it processes the press itself.
constexpr WORD kLabelPressed = 1;

// Registers the label window class once per process; false on failure.
bool registerLabelClass(HINSTANCE instance);

}  // namespace tavrel::app
