#include "app/label.h"

#include <iterator>

#include "app/ids.h"

namespace tavrel::app {

namespace {

// The label's font lives in its window's extra bytes.
constexpr int kFontSlot = 0;

HFONT labelFont(HWND label) {
    return reinterpret_cast<HFONT>(GetWindowLongPtrW(label, kFontSlot));
}

void paintLabel(HWND label, HDC dc) {
    RECT area{};
    GetClientRect(label, &area);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));

    wchar_t text[256] = {};
    const int length = GetWindowTextW(label, text, static_cast<int>(std::size(text)));
    HFONT font = labelFont(label);
    const HGDIOBJ previousFont = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColour = SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, text, length, &area, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
}

LRESULT CALLBACK labelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(label, &paint);
            paintLabel(label, dc);
            EndPaint(label, &paint);
            return 0;
        }
        case WM_PRINTCLIENT: paintLabel(label, reinterpret_cast<HDC>(wParam)); return 0;
        case WM_ERASEBKGND: return 1;  // WM_PAINT fills the whole client area
        case WM_SETFONT:
            SetWindowLongPtrW(label, kFontSlot, static_cast<LONG_PTR>(wParam));
            if (LOWORD(lParam)) {
                InvalidateRect(label, nullptr, TRUE);
            }
            return 0;
        case WM_GETFONT: return static_cast<LRESULT>(GetWindowLongPtrW(label, kFontSlot));
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcW(label, message, wParam, lParam);
            InvalidateRect(label, nullptr, TRUE);
            return result;
        }
        case WM_LBUTTONDOWN:
            SendMessageW(GetParent(label), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(label), kLabelPressed),
                         reinterpret_cast<LPARAM>(label));
            break;
        default: break;
    }
    return DefWindowProcW(label, message, wParam, lParam);
}

}  // namespace

bool registerLabelClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = labelProc;
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = ids::kLabelClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace tavrel::app
