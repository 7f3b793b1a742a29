// Building a window from its form: the frame, hidden and centred on the
// primary screen at the form's exact outer size, then its controls.
#pragma once

#include <windows.h>

#include "app/form.h"

namespace tavrel::app {

// Creates the form's top-level window hidden, owned by `owner`. `self` reaches
// the window procedure as the CREATESTRUCT's lpCreateParams.
HWND createFormWindow(const FormSpec& form, const wchar_t* className, HWND owner,
                      HINSTANCE instance, void* self);

// Creates the form's controls in table order with their fonts, lists and
// states; the last one created lies on top. `smallFont` serves the labels
// that ask for the 12-pixel font.
void createFormControls(HWND window, const FormSpec& form, HINSTANCE instance, HFONT smallFont);

// The 12-pixel font of the small labels; the caller owns it.
HFONT createSmallLabelFont();

// The form's outer rectangle, centred on the primary screen.
RECT centredRect(const FormSpec& form);

}  // namespace tavrel::app
