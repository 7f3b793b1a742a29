#include "app/keyboard.h"

#include "app/controls.h"
#include "app/form.h"
#include "app/tab_order.h"

namespace tavrel::app {

namespace {

enum class Modifiers { None, ShiftOnly, Other };

bool isDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

Modifiers currentModifiers() {
    const bool shift = isDown(VK_SHIFT);
    if (isDown(VK_CONTROL) || isDown(VK_MENU)) {
        return Modifiers::Other;
    }
    return shift ? Modifiers::ShiftOnly : Modifiers::None;
}

// The child of `window` that holds `hwnd` (the combo box of its edit field),
// or nullptr when `hwnd` is the window itself or outside it.
HWND controlOf(HWND window, HWND hwnd) {
    while (hwnd != nullptr && hwnd != window) {
        const HWND parent = GetParent(hwnd);
        if (parent == window) {
            return hwnd;
        }
        hwnd = parent;
    }
    return nullptr;
}

bool isRadioButton(HWND control) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiW(className, L"Button") == 0 &&
           (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON);
}

void closeDroppedList(HWND control) {
    const ComboBox box(control);
    if (control != nullptr && box.droppedDown()) {
        SendMessageW(control, CB_SHOWDROPDOWN, FALSE, 0);
    }
}

// Moves the focus along the main window's Tab order.
bool moveFocus(HWND window, HWND current, TabDirection direction) {
    const TabOrder order = mainTabOrder();
    const int next =
        nextInTabOrder(order.ids, order.count, current ? GetDlgCtrlID(current) : 0, direction,
                       [window](int id) { return canTakeFocus(GetDlgItem(window, id)); });
    if (next != 0) {
        closeDroppedList(current);
        SetFocus(GetDlgItem(window, next));
    }
    return true;
}

// The arrow keys on a radio button check the previous or next one of the
// Tab order and give it the focus.
bool moveRadioCheck(HWND window, HWND current, TabDirection direction) {
    const TabOrder order = mainTabOrder();
    const auto isRadio = [window](int id) {
        const HWND control = GetDlgItem(window, id);
        return canTakeFocus(control) && isRadioButton(control);
    };
    const int next =
        nextInTabOrder(order.ids, order.count, GetDlgCtrlID(current), direction, isRadio);
    if (next == 0) {
        return false;
    }
    for (size_t i = 0; i < order.count; ++i) {
        const HWND control = GetDlgItem(window, order.ids[i]);
        if (control != nullptr && isRadioButton(control)) {
            Button(control).setChecked(order.ids[i] == next);
        }
    }
    SetFocus(GetDlgItem(window, next));
    return true;
}

}  // namespace

bool canTakeFocus(HWND control) {
    return control != nullptr && IsWindowVisible(control) && IsWindowEnabled(control);
}

bool applyKeyboardRules(const MSG& message, HWND mainWindow, HWND aboutWindow) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) {
        return false;
    }
    const HWND window = GetAncestor(message.hwnd, GA_ROOT);
    if (window == nullptr || (window != mainWindow && window != aboutWindow)) {
        return false;
    }
    const Modifiers modifiers = currentModifiers();
    const HWND control = controlOf(window, message.hwnd);
    switch (message.wParam) {
        case VK_ESCAPE:
            if (modifiers != Modifiers::None) {
                return false;
            }
            closeDroppedList(control);
            SendMessageW(window, WM_CLOSE, 0, 0);
            return true;
        case VK_TAB:
            if (modifiers == Modifiers::Other) {
                return false;
            }
            if (window != mainWindow) {
                return true;  // the About window has nothing to focus
            }
            return moveFocus(
                window, control,
                modifiers == Modifiers::ShiftOnly ? TabDirection::Backward : TabDirection::Forward);
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (modifiers != Modifiers::None || window != mainWindow || control == nullptr ||
                !isRadioButton(control)) {
                return false;
            }
            return moveRadioCheck(window, control,
                                  message.wParam == VK_LEFT || message.wParam == VK_UP
                                      ? TabDirection::Backward
                                      : TabDirection::Forward);
        default: return false;
    }
}

}  // namespace tavrel::app
