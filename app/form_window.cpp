#include "app/form_window.h"

#include <string>

#include "app/controls.h"
#include "app/ids.h"

namespace tavrel::app {

namespace {

constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

const wchar_t* windowClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::PushButton:
        case ControlKind::RadioButton: return L"BUTTON";
        case ControlKind::ComboBox: return L"COMBOBOX";
        case ControlKind::Label: break;
    }
    return ids::kLabelClass;
}

DWORD styleOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::PushButton:
            return kChildStyle | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
        case ControlKind::RadioButton:
            return kChildStyle | WS_TABSTOP | BS_AUTORADIOBUTTON | BS_MULTILINE | BS_LEFT |
                   BS_VCENTER;
        case ControlKind::ComboBox:
            return kChildStyle | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
        case ControlKind::Label: break;
    }
    return kChildStyle;
}

void fillComboBox(const ComboBox& box, const ControlSpec& row) {
    // One pixel more than the default item height, for an airier list.
    box.setItemHeight(box.itemHeight() + 1);
    box.limitText(kComboTextLimit);
    for (int number = 0; number <= row.lastNumber; ++number) {
        // At most two digits, written by hand: no formatting library for that.
        wchar_t digits[3] = {};
        if (number < 10) {
            digits[0] = static_cast<wchar_t>(L'0' + number);
        } else {
            digits[0] = static_cast<wchar_t>(L'0' + number / 10);
            digits[1] = static_cast<wchar_t>(L'0' + number % 10);
        }
        box.addItem(digits);
    }
    for (int i = 0; i < row.emptyItems; ++i) {
        box.addItem(L"");
    }
    box.select(0);
    box.setText(row.text);
    box.setEditSelection(0, 0);
}

}  // namespace

RECT centredRect(const FormSpec& form) {
    const int left = (GetSystemMetrics(SM_CXSCREEN) - form.width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - form.height) / 2;
    return RECT{left, top, left + form.width, top + form.height};
}

HWND createFormWindow(const FormSpec& form, const wchar_t* className, HWND owner,
                      HINSTANCE instance, void* self) {
    const RECT place = centredRect(form);
    HWND window = CreateWindowExW(0, className, form.title, form.style, place.left, place.top,
                                  form.width, form.height, owner, nullptr, instance, self);
    if (window == nullptr) {
        return nullptr;
    }
    RECT actual{};
    GetWindowRect(window, &actual);
    if (actual.right - actual.left != form.width || actual.bottom - actual.top != form.height) {
        MoveWindow(window, place.left, place.top, form.width, form.height, FALSE);
    }
    return window;
}

void createFormControls(HWND window, const FormSpec& form, HINSTANCE instance, HFONT smallFont) {
    const HFONT guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (size_t i = 0; i < form.controlCount; ++i) {
        const ControlSpec& row = form.controls[i];
        const bool isCombo = row.kind == ControlKind::ComboBox;
        HWND hwnd = CreateWindowExW(
            0, windowClassOf(row.kind), isCombo ? L"" : row.text, styleOf(row.kind), row.left,
            row.top, row.width, isCombo ? kComboListHeight : row.height, window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
        if (hwnd == nullptr) {
            continue;
        }
        // Children are created at the bottom of the z-order; lift each one so
        // that the last created lies on top.
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        const Control control(hwnd);
        control.setFont(row.font == LabelFont::Small12 && smallFont ? smallFont : guiFont);
        if (isCombo) {
            fillComboBox(ComboBox(hwnd), row);
        } else if (row.kind == ControlKind::RadioButton) {
            Button(hwnd).setChecked(row.checked);
        }
    }
}

HFONT createSmallLabelFont() {
    // The face of the GUI font, so the Chinese characters find their glyphs
    // on a Windows of any language; an empty face name would let the system
    // pick a font of the user's language that may have none.
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    font.lfHeight = -12;
    font.lfWidth = 0;
    font.lfEscapement = 0;
    font.lfOrientation = 0;
    font.lfWeight = FW_NORMAL;
    font.lfItalic = FALSE;
    font.lfUnderline = FALSE;
    font.lfStrikeOut = FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    return CreateFontIndirectW(&font);
}

}  // namespace tavrel::app
