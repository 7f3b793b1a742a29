#include "app/look.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/win/handles.h"

namespace tavrel::app {

namespace {

// ---------------------------------------------------------------------------
// Colours

struct Palette {
    COLORREF buttonOutline;
    COLORREF buttonFaceTop;
    COLORREF buttonFaceBottom;
    COLORREF ringTop;  // the hot, focus and default ring, graded downwards
    COLORREF ringBottom;
    COLORREF buttonFacePressed;
    COLORREF buttonFaceDisabled;
    COLORREF textDisabled;
    COLORREF fieldFrame;  // edit fields, combo boxes, drop-down lists
    COLORREF dropFace;    // the drop-down button and the up-down halves
    COLORREF dropFaceHot;
    COLORREF dropFaceDisabled;
    COLORREF arrow;
    COLORREF markOutline;  // radio circle, check box square
    COLORREF markFaceTop;
    COLORREF markFaceBottom;
    COLORREF markFacePressed;
    COLORREF markLight;  // check dot and tick, graded
    COLORREF markDark;
    COLORREF markOutlineDisabled;
    COLORREF markDisabled;
    COLORREF groupFrame;
    COLORREF groupText;
};

constexpr Palette kBluePalette{
    RGB(0, 60, 116),    RGB(255, 255, 255), RGB(214, 208, 197), RGB(255, 240, 207),
    RGB(229, 151, 0),   RGB(226, 225, 218), RGB(245, 244, 234), RGB(161, 161, 146),
    RGB(127, 157, 185), RGB(122, 150, 223), RGB(91, 121, 205),  RGB(201, 199, 186),
    RGB(255, 255, 255), RGB(28, 81, 128),   RGB(220, 220, 215), RGB(255, 255, 255),
    RGB(176, 176, 167), RGB(85, 203, 85),   RGB(33, 161, 33),   RGB(202, 200, 187),
    RGB(202, 200, 187), RGB(208, 208, 191), RGB(0, 70, 213),
};

constexpr Palette kOliveGreenPalette{
    RGB(55, 98, 6),     RGB(255, 255, 255), RGB(226, 223, 214), RGB(255, 240, 207),
    RGB(229, 151, 0),   RGB(239, 227, 206), RGB(245, 244, 234), RGB(165, 162, 148),
    RGB(164, 185, 127), RGB(142, 153, 125), RGB(118, 131, 97),  RGB(201, 199, 186),
    RGB(255, 255, 255), RGB(33, 85, 132),   RGB(220, 220, 215), RGB(255, 255, 255),
    RGB(176, 176, 167), RGB(168, 205, 98),  RGB(90, 134, 26),   RGB(202, 200, 187),
    RGB(202, 200, 187), RGB(208, 208, 191), RGB(53, 94, 0),
};

constexpr Palette kSilverPalette{
    RGB(97, 97, 116),   RGB(255, 255, 255), RGB(214, 214, 224), RGB(255, 240, 207),
    RGB(229, 151, 0),   RGB(222, 222, 230), RGB(245, 245, 247), RGB(161, 161, 170),
    RGB(165, 172, 178), RGB(150, 153, 170), RGB(120, 123, 145), RGB(201, 201, 208),
    RGB(255, 255, 255), RGB(85, 89, 108),   RGB(220, 220, 225), RGB(255, 255, 255),
    RGB(176, 176, 186), RGB(150, 150, 170), RGB(70, 70, 95),    RGB(202, 202, 210),
    RGB(202, 202, 210), RGB(208, 208, 215), RGB(63, 63, 85),
};

const Palette* paletteOf(int scheme) {
    switch (scheme) {
        case kLookBlue: return &kBluePalette;
        case kLookOliveGreen: return &kOliveGreenPalette;
        case kLookSilver: return &kSilverPalette;
        default: return nullptr;
    }
}

double clamp01(double value) {
    return std::min(1.0, std::max(0.0, value));
}

// The colour `weight` of the way from `from` to `to`.
COLORREF mix(COLORREF from, COLORREF to, double weight) {
    const double t = clamp01(weight);
    const auto channel = [t](int a, int b) {
        return static_cast<BYTE>(std::lround(a + (b - a) * t));
    };
    return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
               channel(GetBValue(from), GetBValue(to)));
}

// Row `row` of a gradient that runs over `rows` rows.
COLORREF graded(COLORREF top, COLORREF bottom, int row, int rows) {
    return rows > 1 ? mix(top, bottom, static_cast<double>(row) / (rows - 1)) : top;
}

// ---------------------------------------------------------------------------
// Small owners of device contexts and their state

struct DcTraits {
    static void close(HDC dc) { DeleteDC(dc); }
};
using UniqueDc = win::UniqueHandle<HDC, DcTraits>;

// A window's whole-window device context, released at the end of the scope.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint around a scope.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

// Whatever a scope changes in a device context (clipping, colours, selected
// objects) is undone at its end.
class SavedDcState {
  public:
    explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDcState() {
        if (saved_ != 0) {
            RestoreDC(dc_, saved_);
        }
    }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

  private:
    HDC dc_;
    int saved_;
};

// An off-screen 32-bit picture of a control, drawn pixel by pixel and with
// GDI, then copied to the screen in one piece, so nothing flickers.
class Canvas {
  public:
    Canvas(HDC reference, int width, int height)
        : width_(std::max(width, 1)), height_(std::max(height, 1)) {
        dc_.reset(CreateCompatibleDC(reference));
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (dc_ && bitmap_ && bits != nullptr) {
            bits_ = static_cast<std::uint32_t*>(bits);
            selection_.emplace(dc_.get(), bitmap_.get());
        }
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool ready() const { return bits_ != nullptr; }
    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }

    // GDI drawing done, pixels next.
    void settle() const { GdiFlush(); }

    void fill(const RECT& area, HBRUSH brush) const {
        FillRect(dc_.get(), &area, brush);
        settle();
    }

    COLORREF pixel(int x, int y) const {
        if (!inside(x, y)) {
            return RGB(0, 0, 0);
        }
        const std::uint32_t value = bits_[y * width_ + x];
        return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    }
    void set(int x, int y, COLORREF colour) {
        if (inside(x, y)) {
            bits_[y * width_ + x] = (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
                                    (static_cast<std::uint32_t>(GetGValue(colour)) << 8) |
                                    GetBValue(colour);
        }
    }
    // Lays `colour` over the pixel with the given opacity.
    void blend(int x, int y, COLORREF colour, double opacity) {
        if (inside(x, y)) {
            set(x, y, mix(pixel(x, y), colour, opacity));
        }
    }
    // Inclusive ranges.
    void hline(int x0, int x1, int y, COLORREF colour) {
        for (int x = x0; x <= x1; ++x) {
            set(x, y, colour);
        }
    }
    void vline(int x, int y0, int y1, COLORREF colour) {
        for (int y = y0; y <= y1; ++y) {
            set(x, y, colour);
        }
    }
    // Right and bottom exclusive, like a RECT.
    void fillSolid(const RECT& area, COLORREF colour) {
        for (int y = area.top; y < area.bottom; ++y) {
            hline(area.left, area.right - 1, y, colour);
        }
    }
    void frame(const RECT& area, COLORREF colour) {
        if (area.right <= area.left || area.bottom <= area.top) {
            return;
        }
        hline(area.left, area.right - 1, area.top, colour);
        hline(area.left, area.right - 1, area.bottom - 1, colour);
        vline(area.left, area.top, area.bottom - 1, colour);
        vline(area.right - 1, area.top, area.bottom - 1, colour);
    }

    // Copies the picture to (0, 0) of the target, leaving out `hole` (a
    // child window that paints itself) when there is one.
    void show(HDC target, const RECT* hole) const {
        const SavedDcState state(target);
        if (hole != nullptr) {
            ExcludeClipRect(target, hole->left, hole->top, hole->right, hole->bottom);
        }
        BitBlt(target, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
    }

  private:
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    int width_;
    int height_;
    UniqueDc dc_;
    win::UniqueBitmap bitmap_;
    std::optional<win::SelectObjectScope> selection_;
    std::uint32_t* bits_ = nullptr;
};

// ---------------------------------------------------------------------------
// Facts about a control

constexpr UINT_PTR kSubclassId = 0x5456;  // one subclass of ours per window

enum class Kind { Button, ComboBox, ComboList, Edit, UpDown };

constexpr int kNoPart = 0;
constexpr int kWholePart = 1;   // buttons
constexpr int kDropButton = 1;  // combo boxes
constexpr int kUpPart = 1;      // up-down controls: up, or left when horizontal
constexpr int kDownPart = 2;    // down, or right

// What the look keeps for each control it draws.
struct ControlLook {
    explicit ControlLook(Kind k) : kind(k) {}
    Kind kind;
    bool tracking = false;  // a WM_MOUSELEAVE has been asked for
    int hotPart = kNoPart;
    int pressedPart = kNoPart;
    HWND partner = nullptr;  // a combo box's drop-down list, a list's combo box
};

struct LookSwitch {
    const Palette* palette = nullptr;
    win::UniqueHook hook;
};

LookSwitch& lookSwitch() {
    static LookSwitch theSwitch;
    return theSwitch;
}

std::wstring classNameOf(HWND window) {
    wchar_t name[64] = {};
    const int length =
        GetClassNameW(window, name, static_cast<int>(sizeof(name) / sizeof(name[0])));
    return std::wstring(name, static_cast<size_t>(std::max(length, 0)));
}

bool sameName(const std::wstring& a, const wchar_t* b) {
    return lstrcmpiW(a.c_str(), b) == 0;
}

std::wstring textOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

LONG_PTR styleOf(HWND window) {
    return GetWindowLongPtrW(window, GWL_STYLE);
}

RECT clientRectOf(HWND window) {
    RECT area{};
    GetClientRect(window, &area);
    return area;
}

int widthOf(const RECT& r) {
    return r.right - r.left;
}
int heightOf(const RECT& r) {
    return r.bottom - r.top;
}

HFONT fontOf(HWND window) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    return font != nullptr ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

// Whether the window shows focus rectangles and underlined access keys.
struct Cues {
    bool focus;
    bool accelerators;
};

Cues cuesOf(HWND window) {
    const LRESULT hidden = SendMessageW(window, WM_QUERYUISTATE, 0, 0);
    return Cues{(hidden & UISF_HIDEFOCUS) == 0, (hidden & UISF_HIDEACCEL) == 0};
}

// The brush the parent wants behind the control (WM_CTLCOLOR...), with the
// parent's text colour left in `dc`. Pattern brushes line up with the parent.
HBRUSH parentBrush(HWND control, HDC dc, UINT message) {
    HWND parent = GetParent(control);
    if (parent == nullptr) {
        parent = control;
    }
    POINT origin{0, 0};
    MapWindowPoints(control, parent, &origin, 1);
    SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
        parent, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    if (brush == nullptr) {
        brush = reinterpret_cast<HBRUSH>(DefWindowProcW(
            parent, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    }
    return brush;
}

// Fills the canvas with what the parent wants behind the control.
void fillWithParentBrush(HWND control, Canvas& canvas, UINT message) {
    const RECT all{0, 0, canvas.width(), canvas.height()};
    canvas.fill(all, GetSysColorBrush(COLOR_BTNFACE));  // under a hollow brush
    const HBRUSH brush = parentBrush(control, canvas.dc(), message);
    if (brush != nullptr) {
        canvas.fill(all, brush);
    }
}

// Redraws a control at once, so no ordinary drawing of its own stays visible.
void refresh(HWND window) {
    if (IsWindowVisible(window)) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    }
}

void refreshFrame(HWND window) {
    if (IsWindowVisible(window)) {
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_NOCHILDREN);
    }
}

POINT pointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// Hot tracking: the part under the mouse, and a WM_MOUSELEAVE when it goes.
void hover(HWND window, ControlLook& look, int part) {
    // Asked again on coming in, in case the control's own tracking cancelled ours.
    if (!look.tracking || (look.hotPart == kNoPart && part != kNoPart)) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = window;
        look.tracking = TrackMouseEvent(&track) != FALSE;
    }
    if (part != look.hotPart) {
        look.hotPart = part;
        refresh(window);
    }
}

void mouseLeft(HWND window, ControlLook& look) {
    look.tracking = false;
    if (look.hotPart != kNoPart) {
        look.hotPart = kNoPart;
        refresh(window);
    }
}

// A button's caption in its font, aligned by its style inside `area`.
void drawCaption(HDC dc, HWND window, const std::wstring& text, bool showAccelerators,
                 const RECT& area, UINT horizontal, LONG_PTR style, COLORREF colour) {
    if (text.empty()) {
        return;
    }
    const win::SelectObjectScope font(dc, fontOf(window));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    UINT format = horizontal;
    format |= (style & BS_MULTILINE) != 0 ? DT_WORDBREAK : DT_SINGLELINE;
    if (!showAccelerators) {
        format |= DT_HIDEPREFIX;
    }
    RECT measured = area;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
    const int textHeight = std::min(heightOf(measured), heightOf(area));
    int top = area.top + (heightOf(area) - textHeight) / 2;
    const LONG_PTR vertical = style & BS_VCENTER;
    if (vertical == BS_TOP) {
        top = area.top;
    } else if (vertical == BS_BOTTOM) {
        top = area.bottom - textHeight;
    }
    RECT place{area.left, top, area.right, top + textHeight};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place, format);
}

UINT horizontalFormat(LONG_PTR style, UINT ordinary) {
    switch (style & BS_CENTER) {
        case BS_LEFT: return DT_LEFT;
        case BS_RIGHT: return DT_RIGHT;
        case BS_CENTER: return DT_CENTER;
        default: return ordinary;
    }
}

void drawFocus(HDC dc, const RECT& area) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &area);
}

// White arrow, a filled triangle of `size` rows, centred on (cx, cy),
// pointing down, up, left or right.
enum class Direction { Down, Up, Left, Right };

void drawArrow(Canvas& canvas, int cx, int cy, int size, COLORREF colour, Direction direction) {
    const int top = -(size / 2);
    for (int row = 0; row < size; ++row) {
        const int half = size - 1 - row;  // widest row first
        for (int across = -half; across <= half; ++across) {
            const int along = top + row;
            switch (direction) {
                case Direction::Down: canvas.set(cx + across, cy + along, colour); break;
                case Direction::Up: canvas.set(cx + across, cy - along, colour); break;
                case Direction::Right: canvas.set(cx + along, cy + across, colour); break;
                case Direction::Left: canvas.set(cx - along, cy + across, colour); break;
            }
        }
    }
}

// A flat button face with slightly rounded corners (drop-down, up-down).
void drawFlatButton(Canvas& canvas, const RECT& area, COLORREF face) {
    if (widthOf(area) <= 0 || heightOf(area) <= 0) {
        return;
    }
    const COLORREF corners[4] = {
        mix(canvas.pixel(area.left, area.top), face, 0.5),
        mix(canvas.pixel(area.right - 1, area.top), face, 0.5),
        mix(canvas.pixel(area.left, area.bottom - 1), face, 0.5),
        mix(canvas.pixel(area.right - 1, area.bottom - 1), face, 0.5),
    };
    canvas.fillSolid(area, face);
    if (widthOf(area) > 4 && heightOf(area) > 4) {
        canvas.set(area.left, area.top, corners[0]);
        canvas.set(area.right - 1, area.top, corners[1]);
        canvas.set(area.left, area.bottom - 1, corners[2]);
        canvas.set(area.right - 1, area.bottom - 1, corners[3]);
    }
}

// ---------------------------------------------------------------------------
// Buttons: push buttons, check boxes, radio buttons, group boxes

enum class ButtonLook { Push, Check, Radio, Group, Ordinary };

ButtonLook buttonLookOf(LONG_PTR style) {
    if ((style & (BS_BITMAP | BS_ICON)) != 0) {
        return ButtonLook::Ordinary;
    }
    const bool pushLike = (style & BS_PUSHLIKE) != 0;
    switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON: return ButtonLook::Push;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE: return pushLike ? ButtonLook::Push : ButtonLook::Check;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return pushLike ? ButtonLook::Push : ButtonLook::Radio;
        case BS_GROUPBOX: return ButtonLook::Group;
        default: return ButtonLook::Ordinary;  // owner-drawn, user, split, command link
    }
}

struct ButtonState {
    bool enabled;
    bool pressed;
    bool hot;
    bool focused;
    LRESULT check;  // BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE
    Cues cues;
    std::wstring text;
};

ButtonState buttonStateOf(HWND button, const ControlLook& look) {
    const LRESULT state = SendMessageW(button, BM_GETSTATE, 0, 0);
    ButtonState result{};
    result.enabled = IsWindowEnabled(button) != FALSE;
    result.pressed = (state & BST_PUSHED) != 0;
    result.hot = look.hotPart != kNoPart;
    result.focused = GetFocus() == button;
    result.cues = cuesOf(button);
    result.text = textOf(button);
    result.check = state & (BST_CHECKED | BST_INDETERMINATE);
    return result;
}

void paintPushButton(HWND button, const Palette& palette, const ButtonState& state, LONG_PTR style,
                     Canvas& canvas) {
    fillWithParentBrush(button, canvas, WM_CTLCOLORBTN);
    const int w = canvas.width();
    const int h = canvas.height();
    const bool pressed = state.pressed || ((style & BS_PUSHLIKE) != 0 && state.check != 0);
    const bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;

    // Face, inside the outline.
    for (int y = 1; y <= h - 2; ++y) {
        COLORREF face = graded(palette.buttonFaceTop, palette.buttonFaceBottom, y - 1, h - 2);
        if (!state.enabled) {
            face = palette.buttonFaceDisabled;
        } else if (pressed) {
            face = palette.buttonFacePressed;
        }
        canvas.hline(1, w - 2, y, face);
    }
    // The ring of a hot, focused or default button: two pixels inside the outline.
    if (state.enabled && !pressed && (state.hot || state.focused || isDefault) && w > 6 && h > 6) {
        for (int y = 1; y <= h - 2; ++y) {
            const COLORREF ring = graded(palette.ringTop, palette.ringBottom, y - 1, h - 2);
            if (y <= 2 || y >= h - 3) {
                canvas.hline(1, w - 2, y, ring);
            } else {
                canvas.hline(1, 2, y, ring);
                canvas.hline(w - 3, w - 2, y, ring);
            }
        }
    }
    // Outline with rounded corners: straight edges in the outline colour, a
    // diagonal pixel at each corner and half-blended pixels beside it.
    const COLORREF outline = palette.buttonOutline;
    if (w >= 4 && h >= 4) {
        const COLORREF outside[4] = {canvas.pixel(0, 0), canvas.pixel(w - 1, 0),
                                     canvas.pixel(0, h - 1), canvas.pixel(w - 1, h - 1)};
        canvas.hline(2, w - 3, 0, outline);
        canvas.hline(2, w - 3, h - 1, outline);
        canvas.vline(0, 2, h - 3, outline);
        canvas.vline(w - 1, 2, h - 3, outline);
        canvas.set(1, 1, outline);
        canvas.set(w - 2, 1, outline);
        canvas.set(1, h - 2, outline);
        canvas.set(w - 2, h - 2, outline);
        canvas.set(1, 0, mix(outside[0], outline, 0.45));
        canvas.set(0, 1, mix(outside[0], outline, 0.45));
        canvas.set(w - 2, 0, mix(outside[1], outline, 0.45));
        canvas.set(w - 1, 1, mix(outside[1], outline, 0.45));
        canvas.set(0, h - 2, mix(outside[2], outline, 0.45));
        canvas.set(1, h - 1, mix(outside[2], outline, 0.45));
        canvas.set(w - 1, h - 2, mix(outside[3], outline, 0.45));
        canvas.set(w - 2, h - 1, mix(outside[3], outline, 0.45));
    } else {
        canvas.frame(RECT{0, 0, w, h}, outline);
    }

    RECT textArea{3, 3, w - 3, h - 3};
    if (pressed) {
        OffsetRect(&textArea, 1, 1);
    }
    drawCaption(canvas.dc(), button, state.text, state.cues.accelerators, textArea,
                horizontalFormat(style, DT_CENTER), style,
                state.enabled ? RGB(0, 0, 0) : palette.textDisabled);
    if (state.focused && state.cues.focus && w > 8 && h > 8) {
        drawFocus(canvas.dc(), RECT{3, 3, w - 3, h - 3});
    }
}

constexpr int kRadioSize = 15;
constexpr int kCheckSize = 13;

// A radio circle of 15 pixels at (left, top), smoothed at its edge.
void drawRadioMark(Canvas& canvas, const Palette& palette, int left, int top,
                   const ButtonState& state) {
    const double centre = (kRadioSize - 1) / 2.0;
    const bool ring = state.enabled && !state.pressed && (state.hot || state.focused);
    const COLORREF outline = state.enabled ? palette.markOutline : palette.markOutlineDisabled;
    for (int j = 0; j < kRadioSize; ++j) {
        for (int i = 0; i < kRadioSize; ++i) {
            const double d = std::hypot(i - centre, j - centre);
            const double cover = clamp01(centre + 1.0 - d);
            if (cover <= 0.0) {
                continue;
            }
            COLORREF inside = graded(palette.markFaceTop, palette.markFaceBottom, j, kRadioSize);
            if (!state.enabled) {
                inside = palette.buttonFaceDisabled;
            } else if (state.pressed) {
                inside = palette.markFacePressed;
            }
            if (ring) {
                const COLORREF ringColour =
                    graded(palette.ringTop, palette.ringBottom, j, kRadioSize);
                inside = mix(inside, ringColour, (d - 4.5) * 2.0);
            }
            if (state.check == BST_CHECKED) {
                const COLORREF dot = state.enabled ? mix(palette.markLight, palette.markDark,
                                                         (i + j) / (2.0 * kRadioSize))
                                                   : palette.markDisabled;
                inside = mix(inside, dot, 3.0 - d);
            }
            const COLORREF colour = mix(inside, outline, (d - (centre - 1.0)) * 2.0);
            canvas.blend(left + i, top + j, colour, cover);
        }
    }
}

// A check box square of 13 pixels at (left, top), with a tick, or a block
// when indeterminate.
void drawCheckMark(Canvas& canvas, const Palette& palette, int left, int top,
                   const ButtonState& state) {
    const COLORREF outline = state.enabled ? palette.markOutline : palette.markOutlineDisabled;
    for (int y = 1; y < kCheckSize - 1; ++y) {
        COLORREF face = graded(palette.markFaceTop, palette.markFaceBottom, y - 1, kCheckSize - 2);
        if (!state.enabled) {
            face = palette.buttonFaceDisabled;
        } else if (state.pressed) {
            face = palette.markFacePressed;
        }
        canvas.hline(left + 1, left + kCheckSize - 2, top + y, face);
    }
    if (state.enabled && !state.pressed && (state.hot || state.focused)) {
        for (int inset = 1; inset <= 2; ++inset) {
            for (int y = inset; y < kCheckSize - inset; ++y) {
                const COLORREF ring =
                    graded(palette.ringTop, palette.ringBottom, y - 1, kCheckSize - 2);
                if (y == inset || y == kCheckSize - 1 - inset) {
                    canvas.hline(left + inset, left + kCheckSize - 1 - inset, top + y, ring);
                } else {
                    canvas.set(left + inset, top + y, ring);
                    canvas.set(left + kCheckSize - 1 - inset, top + y, ring);
                }
            }
        }
    }
    canvas.frame(RECT{left, top, left + kCheckSize, top + kCheckSize}, outline);

    const COLORREF mark = state.enabled ? palette.markDark : palette.markDisabled;
    if (state.check == BST_INDETERMINATE) {
        canvas.fillSolid(RECT{left + 3, top + 3, left + kCheckSize - 3, top + kCheckSize - 3},
                         state.enabled ? palette.markLight : palette.markDisabled);
    } else if (state.check == BST_CHECKED) {
        static const char* const kTick[7] = {
            "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
        };
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 7; ++x) {
                if (kTick[y][x] == '#') {
                    canvas.set(left + 3 + x, top + 3 + y, mark);
                }
            }
        }
    }
}

void paintMarkButton(HWND button, const Palette& palette, const ButtonState& state, LONG_PTR style,
                     bool radio, Canvas& canvas) {
    fillWithParentBrush(button, canvas, WM_CTLCOLORSTATIC);
    const COLORREF parentText = GetTextColor(canvas.dc());
    const int w = canvas.width();
    const int h = canvas.height();
    const int size = radio ? kRadioSize : kCheckSize;
    const bool markRight = (style & BS_RIGHTBUTTON) != 0;
    int top = (h - size) / 2;
    const LONG_PTR vertical = style & BS_VCENTER;
    if (vertical == BS_TOP) {
        top = 0;
    } else if (vertical == BS_BOTTOM) {
        top = h - size;
    }
    const int left = markRight ? w - size : 0;
    if (radio) {
        drawRadioMark(canvas, palette, left, top, state);
    } else {
        drawCheckMark(canvas, palette, left, top, state);
    }

    constexpr int kGap = 4;
    RECT textArea = markRight ? RECT{0, 0, w - size - kGap, h} : RECT{size + kGap, 0, w, h};
    drawCaption(canvas.dc(), button, state.text, state.cues.accelerators, textArea,
                horizontalFormat(style, DT_LEFT), style,
                state.enabled ? parentText : palette.textDisabled);
    if (state.focused && state.cues.focus && !state.text.empty()) {
        InflateRect(&textArea, 0, -1);
        drawFocus(canvas.dc(), textArea);
    }
}

// Group boxes draw no background of their own: frame and caption go
// straight onto the target, inside the parent's picture.
void paintGroupBox(HWND box, const Palette& palette, HDC dc) {
    const SavedDcState saved(dc);
    const RECT area = clientRectOf(box);
    SelectObject(dc, fontOf(box));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const std::wstring text = textOf(box);
    const HBRUSH background = parentBrush(box, dc, WM_CTLCOLORSTATIC);

    const win::UniqueBrush frameBrush(CreateSolidBrush(palette.groupFrame));
    const int frameTop = area.top + metrics.tmHeight / 2;
    if (frameBrush && widthOf(area) > 4 && area.bottom - frameTop > 4) {
        const RECT edges[4] = {
            {area.left + 1, frameTop, area.right - 1, frameTop + 1},
            {area.left + 1, area.bottom - 1, area.right - 1, area.bottom},
            {area.left, frameTop + 1, area.left + 1, area.bottom - 1},
            {area.right - 1, frameTop + 1, area.right, area.bottom - 1},
        };
        for (const RECT& edge : edges) {
            FillRect(dc, &edge, frameBrush.get());
        }
    }
    if (text.empty()) {
        return;
    }
    UINT format = DT_SINGLELINE | DT_LEFT | DT_TOP;
    if (!cuesOf(box).accelerators) {
        format |= DT_HIDEPREFIX;
    }
    RECT place{area.left + 9, area.top, area.right - 9, area.top + metrics.tmHeight};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place, format | DT_CALCRECT);
    place.right = std::min<LONG>(place.right, area.right - 9);
    RECT behind = place;
    InflateRect(&behind, 2, 0);
    if (background != nullptr) {
        FillRect(dc, &behind, background);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(box) ? palette.groupText : palette.textDisabled);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place, format);
}

// The one paint routine of buttons, for WM_PAINT and WM_PRINTCLIENT. False
// when it could not draw (no memory for the picture).
bool paintButton(HWND button, ControlLook& look, const Palette& palette, HDC target) {
    const LONG_PTR style = styleOf(button);
    const ButtonLook kind = buttonLookOf(style);
    if (kind == ButtonLook::Group) {
        paintGroupBox(button, palette, target);
        return true;
    }
    const RECT area = clientRectOf(button);
    Canvas canvas(target, widthOf(area), heightOf(area));
    if (!canvas.ready()) {
        return false;
    }
    const ButtonState state = buttonStateOf(button, look);
    if (kind == ButtonLook::Push) {
        paintPushButton(button, palette, state, style, canvas);
    } else {
        paintMarkButton(button, palette, state, style, kind == ButtonLook::Radio, canvas);
    }
    canvas.show(target, nullptr);
    return true;
}

// ---------------------------------------------------------------------------
// Combo boxes and their drop-down lists

struct ComboParts {
    RECT item{};    // the field: the Edit child, or the selected item's text
    RECT button{};  // the drop-down button
    HWND edit = nullptr;
    HWND list = nullptr;
    bool pressed = false;
};

ComboParts comboPartsOf(HWND combo) {
    ComboParts parts;
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(combo, &info)) {
        parts.item = info.rcItem;
        parts.button = info.rcButton;
        parts.edit = info.hwndItem != combo ? info.hwndItem : nullptr;
        parts.list = info.hwndList;
        parts.pressed = (info.stateButton & STATE_SYSTEM_PRESSED) != 0;
    } else {
        const RECT area = clientRectOf(combo);
        parts.button = RECT{area.right - 2 - GetSystemMetrics(SM_CXVSCROLL), area.top + 2,
                            area.right - 2, area.bottom - 2};
        parts.item = RECT{area.left + 2, area.top + 2, parts.button.left, area.bottom - 2};
        parts.edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
    }
    if (parts.edit != nullptr && !IsWindowVisible(parts.edit)) {
        parts.edit = nullptr;
    }
    if (SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != FALSE) {
        parts.pressed = true;
    }
    return parts;
}

// The selected item of a drop-down list box (a combo box without an Edit).
void drawComboItem(HWND combo, const ComboParts& parts, bool enabled, COLORREF parentText,
                   Canvas& canvas) {
    const LONG_PTR style = styleOf(combo);
    const int selected = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    const bool focused = GetFocus() == combo && !parts.pressed;
    RECT item = parts.item;
    if ((style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_COMBOBOX;
        draw.CtlID = static_cast<UINT>(GetDlgCtrlID(combo));
        draw.itemID = static_cast<UINT>(selected);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = ODS_COMBOBOXEDIT | (focused ? ODS_SELECTED | ODS_FOCUS : 0) |
                         (enabled ? 0 : ODS_DISABLED);
        draw.hwndItem = combo;
        draw.hDC = canvas.dc();
        draw.rcItem = item;
        draw.itemData =
            selected >= 0 ? static_cast<ULONG_PTR>(SendMessageW(combo, CB_GETITEMDATA, selected, 0))
                          : 0;
        const SavedDcState saved(canvas.dc());
        SelectObject(canvas.dc(), fontOf(combo));
        SendMessageW(GetParent(combo), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
        canvas.settle();
        return;
    }
    COLORREF textColour = enabled ? parentText : GetSysColor(COLOR_GRAYTEXT);
    if (focused) {
        canvas.fill(item, GetSysColorBrush(COLOR_HIGHLIGHT));
        textColour = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    std::wstring text;
    if (selected >= 0) {
        const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, selected, 0);
        if (length > 0) {
            text.assign(static_cast<size_t>(length) + 1, L'\0');
            const LRESULT copied =
                SendMessageW(combo, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(&text[0]));
            text.resize(static_cast<size_t>(std::max<LRESULT>(copied, 0)));
        }
    }
    if (!text.empty()) {
        const win::SelectObjectScope font(canvas.dc(), fontOf(combo));
        SetBkMode(canvas.dc(), TRANSPARENT);
        SetTextColor(canvas.dc(), textColour);
        RECT place = item;
        place.left += 2;
        DrawTextW(canvas.dc(), text.c_str(), static_cast<int>(text.size()), &place,
                  DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (focused && cuesOf(combo).focus) {
        drawFocus(canvas.dc(), item);
    }
}

// The one paint routine of combo boxes: a flat frame in the frame colour, a
// second frame in the field's own background, the drop-down button, and the
// selected item when there is no Edit child (which paints itself).
bool paintComboBox(HWND combo, ControlLook& look, const Palette& palette, HDC target) {
    const RECT area = clientRectOf(combo);
    Canvas canvas(target, widthOf(area), heightOf(area));
    if (!canvas.ready()) {
        return false;
    }
    const ComboParts parts = comboPartsOf(combo);
    const bool enabled = IsWindowEnabled(combo) != FALSE;
    fillWithParentBrush(combo, canvas, enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
    const COLORREF parentText = GetTextColor(canvas.dc());
    canvas.frame(area, palette.fieldFrame);

    COLORREF face = palette.dropFace;
    if (!enabled) {
        face = palette.dropFaceDisabled;
    } else if (parts.pressed || look.hotPart == kDropButton) {
        face = palette.dropFaceHot;
    }
    drawFlatButton(canvas, parts.button, face);
    const int buttonWidth = widthOf(parts.button);
    const int arrowRows = std::max(2, std::min(4, (buttonWidth - 4) / 2));
    drawArrow(canvas, parts.button.left + buttonWidth / 2,
              parts.button.top + heightOf(parts.button) / 2, arrowRows,
              enabled ? palette.arrow : palette.buttonFaceDisabled, Direction::Down);

    if (parts.edit == nullptr) {
        drawComboItem(combo, parts, enabled, parentText, canvas);
        canvas.show(target, nullptr);
        return true;
    }
    RECT hole{};
    GetWindowRect(parts.edit, &hole);
    MapWindowPoints(nullptr, combo, reinterpret_cast<POINT*>(&hole), 2);
    canvas.show(target, &hole);
    return true;
}

// Border thickness of an edit field or list: 1 for WS_BORDER, 2 for a
// client edge, 1 for a static edge.
int borderOf(HWND window) {
    const LONG_PTR style = styleOf(window);
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    int border = 0;
    if ((style & WS_BORDER) != 0 && (style & WS_DLGFRAME) == 0) {
        border += GetSystemMetrics(SM_CXBORDER);
    }
    if ((exStyle & WS_EX_CLIENTEDGE) != 0) {
        border += GetSystemMetrics(SM_CXEDGE);
    }
    if ((exStyle & WS_EX_STATICEDGE) != 0) {
        border += GetSystemMetrics(SM_CXBORDER);
    }
    return border;
}

// The one frame routine of edit fields and drop-down lists, for WM_NCPAINT
// and WM_PRINT: over the ordinary border, an outer frame in the frame colour
// and the rest in the field's background. `dc` has the window's origin.
void paintFieldFrame(HWND window, const Palette& palette, HDC dc, UINT colourMessage) {
    const int border = borderOf(window);
    if (border <= 0 || dc == nullptr) {
        return;
    }
    const SavedDcState saved(dc);
    RECT frame{};
    GetWindowRect(window, &frame);
    OffsetRect(&frame, -frame.left, -frame.top);
    const win::UniqueBrush outer(CreateSolidBrush(palette.fieldFrame));
    if (outer) {
        FrameRect(dc, &frame, outer.get());
    }
    HBRUSH inner = parentBrush(window, dc, colourMessage);
    if (inner == nullptr) {
        inner = GetSysColorBrush(COLOR_WINDOW);
    }
    for (int inset = 1; inset < border; ++inset) {
        InflateRect(&frame, -1, -1);
        FrameRect(dc, &frame, inner);
    }
}

UINT editColourMessage(HWND edit) {
    const bool plain = IsWindowEnabled(edit) && (styleOf(edit) & ES_READONLY) == 0;
    return plain ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
}

// ---------------------------------------------------------------------------
// Up-down controls

int upDownPartAt(HWND upDown, POINT point) {
    const RECT area = clientRectOf(upDown);
    if (!PtInRect(&area, point)) {
        return kNoPart;
    }
    if ((styleOf(upDown) & UDS_HORZ) != 0) {
        return point.x < widthOf(area) / 2 ? kUpPart : kDownPart;
    }
    return point.y < heightOf(area) / 2 ? kUpPart : kDownPart;
}

// The one paint routine of up-down controls: two flat buttons with white
// arrows, in the colours of the drop-down button.
bool paintUpDown(HWND upDown, ControlLook& look, const Palette& palette, HDC target) {
    const RECT area = clientRectOf(upDown);
    Canvas canvas(target, widthOf(area), heightOf(area));
    if (!canvas.ready()) {
        return false;
    }
    fillWithParentBrush(upDown, canvas, WM_CTLCOLORSTATIC);
    const bool horizontal = (styleOf(upDown) & UDS_HORZ) != 0;
    const bool enabled = IsWindowEnabled(upDown) != FALSE;
    const int w = canvas.width();
    const int h = canvas.height();
    const RECT halves[2] = {
        horizontal ? RECT{0, 0, w / 2, h} : RECT{0, 0, w, h / 2},
        horizontal ? RECT{w / 2, 0, w, h} : RECT{0, h / 2, w, h},
    };
    const int partOf[2] = {kUpPart, kDownPart};
    for (int i = 0; i < 2; ++i) {
        RECT half = halves[i];
        InflateRect(&half, -1, -1);
        COLORREF face = palette.dropFace;
        if (!enabled) {
            face = palette.dropFaceDisabled;
        } else if (look.pressedPart == partOf[i] || look.hotPart == partOf[i]) {
            face = palette.dropFaceHot;
        }
        drawFlatButton(canvas, half, face);
        const int rows =
            std::max(1, std::min(3, ((horizontal ? heightOf(half) : widthOf(half)) - 4) / 2));
        Direction direction = i == 0 ? Direction::Up : Direction::Down;
        if (horizontal) {
            direction = i == 0 ? Direction::Left : Direction::Right;
        }
        drawArrow(canvas, half.left + widthOf(half) / 2, half.top + heightOf(half) / 2, rows,
                  enabled ? palette.arrow : palette.buttonFaceDisabled, direction);
    }
    canvas.show(target, nullptr);
    return true;
}

// ---------------------------------------------------------------------------
// Messages

using PaintRoutine = bool (*)(HWND, ControlLook&, const Palette&, HDC);

// WM_PAINT (with or without a DC of its own) and WM_PRINTCLIENT through one
// paint routine. Without memory for a picture the control paints itself.
LRESULT paintMessage(HWND window, ControlLook& look, const Palette& palette, UINT message,
                     WPARAM wParam, LPARAM lParam, PaintRoutine paint) {
    if (message == WM_PRINTCLIENT || wParam != 0) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        if (!paint(window, look, palette, dc)) {
            return DefSubclassProc(window, message, wParam, lParam);
        }
        return 0;
    }
    const PaintScope scope(window);
    if (!paint(window, look, palette, scope.dc())) {
        DefSubclassProc(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(scope.dc()), PRF_CLIENT);
    }
    return 0;
}

LRESULT buttonMessage(HWND button, ControlLook& look, const Palette& palette, UINT message,
                      WPARAM wParam, LPARAM lParam) {
    const ButtonLook kind = buttonLookOf(styleOf(button));
    if (kind == ButtonLook::Ordinary) {
        return DefSubclassProc(button, message, wParam, lParam);
    }
    switch (message) {
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return paintMessage(button, look, palette, message, wParam, lParam, paintButton);
        case WM_ERASEBKGND:
            if (kind != ButtonLook::Group) {
                return 1;  // the picture covers the whole button
            }
            break;
        case WM_MOUSEMOVE: {
            const LRESULT before = SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED;
            const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
            const RECT area = clientRectOf(button);
            if (kind != ButtonLook::Group) {
                hover(button, look, PtInRect(&area, pointOf(lParam)) ? kWholePart : kNoPart);
            }
            if ((SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != before) {
                refresh(button);
            }
            return result;
        }
        case WM_MOUSELEAVE: {
            const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
            mouseLeft(button, look);
            return result;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_SETFONT:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CAPTURECHANGED:
        case WM_UPDATEUISTATE:
        case WM_SYSCOLORCHANGE:
        case BM_SETSTATE:
        case BM_SETCHECK:
        case BM_SETSTYLE:
        case BM_CLICK: {
            const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
            refresh(button);
            return result;
        }
        default: break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

LRESULT comboMessage(HWND combo, ControlLook& look, const Palette& palette, UINT message,
                     WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return paintMessage(combo, look, palette, message, wParam, lParam, paintComboBox);
        case WM_ERASEBKGND: return 1;  // the picture covers all but the Edit child
        case WM_MOUSEMOVE: {
            const LRESULT result = DefSubclassProc(combo, message, wParam, lParam);
            const ComboParts parts = comboPartsOf(combo);
            hover(combo, look, PtInRect(&parts.button, pointOf(lParam)) ? kDropButton : kNoPart);
            return result;
        }
        case WM_MOUSELEAVE: {
            const LRESULT result = DefSubclassProc(combo, message, wParam, lParam);
            mouseLeft(combo, look);
            return result;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETFONT:
        case WM_SIZE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CAPTURECHANGED:
        case WM_UPDATEUISTATE:
        case WM_SYSCOLORCHANGE:
        case CB_SHOWDROPDOWN:
        case CB_SETCURSEL:
        case CB_SELECTSTRING:
        case CB_RESETCONTENT: {
            const LRESULT result = DefSubclassProc(combo, message, wParam, lParam);
            refresh(combo);
            return result;
        }
        case WM_SETTEXT: {
            const LRESULT result = DefSubclassProc(combo, message, wParam, lParam);
            if (comboPartsOf(combo).edit == nullptr) {
                refresh(combo);  // the Edit child repaints its own text
            }
            return result;
        }
        default: break;
    }
    return DefSubclassProc(combo, message, wParam, lParam);
}

LRESULT listMessage(HWND list, ControlLook& look, const Palette& palette, UINT message,
                    WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCPAINT: {
            const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
            const WindowDc dc(list);
            paintFieldFrame(list, palette, dc.get(), WM_CTLCOLORLISTBOX);
            return result;
        }
        case WM_PRINT: {
            const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
            if ((lParam & PRF_NONCLIENT) != 0) {
                paintFieldFrame(list, palette, reinterpret_cast<HDC>(wParam), WM_CTLCOLORLISTBOX);
            }
            return result;
        }
        case WM_WINDOWPOSCHANGED: {
            // Shown or hidden: the combo box's drop-down button changes.
            const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
            const auto* place = reinterpret_cast<const WINDOWPOS*>(lParam);
            if ((place->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0 && IsWindow(look.partner)) {
                refresh(look.partner);
            }
            return result;
        }
        default: break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

LRESULT editMessage(HWND edit, ControlLook&, const Palette& palette, UINT message, WPARAM wParam,
                    LPARAM lParam) {
    switch (message) {
        case WM_NCPAINT: {
            const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
            const WindowDc dc(edit);
            paintFieldFrame(edit, palette, dc.get(), editColourMessage(edit));
            return result;
        }
        case WM_PRINT: {
            const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
            if ((lParam & PRF_NONCLIENT) != 0) {
                paintFieldFrame(edit, palette, reinterpret_cast<HDC>(wParam),
                                editColourMessage(edit));
            }
            return result;
        }
        case WM_ENABLE:
        case EM_SETREADONLY:
        case WM_SYSCOLORCHANGE: {
            const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
            refreshFrame(edit);
            return result;
        }
        default: break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT upDownMessage(HWND upDown, ControlLook& look, const Palette& palette, UINT message,
                      WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return paintMessage(upDown, look, palette, message, wParam, lParam, paintUpDown);
        case WM_ERASEBKGND: return 1;
        case WM_MOUSEMOVE: {
            const LRESULT result = DefSubclassProc(upDown, message, wParam, lParam);
            hover(upDown, look, upDownPartAt(upDown, pointOf(lParam)));
            return result;
        }
        case WM_MOUSELEAVE: {
            const LRESULT result = DefSubclassProc(upDown, message, wParam, lParam);
            mouseLeft(upDown, look);
            return result;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            look.pressedPart = upDownPartAt(upDown, pointOf(lParam));
            const LRESULT result = DefSubclassProc(upDown, message, wParam, lParam);
            refresh(upDown);
            return result;
        }
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED: {
            look.pressedPart = kNoPart;
            const LRESULT result = DefSubclassProc(upDown, message, wParam, lParam);
            refresh(upDown);
            return result;
        }
        case WM_ENABLE:
        case WM_SYSCOLORCHANGE: {
            const LRESULT result = DefSubclassProc(upDown, message, wParam, lParam);
            refresh(upDown);
            return result;
        }
        default: break;
    }
    return DefSubclassProc(upDown, message, wParam, lParam);
}

LRESULT CALLBACK lookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR data) {
    auto* look = reinterpret_cast<ControlLook*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, lookProc, kSubclassId);
        delete look;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    const Palette* palette = lookSwitch().palette;
    if (palette == nullptr || look == nullptr) {
        return DefSubclassProc(window, message, wParam, lParam);
    }
    switch (look->kind) {
        case Kind::Button: return buttonMessage(window, *look, *palette, message, wParam, lParam);
        case Kind::ComboBox: return comboMessage(window, *look, *palette, message, wParam, lParam);
        case Kind::ComboList: return listMessage(window, *look, *palette, message, wParam, lParam);
        case Kind::Edit: return editMessage(window, *look, *palette, message, wParam, lParam);
        case Kind::UpDown: return upDownMessage(window, *look, *palette, message, wParam, lParam);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Switching the look on and off

ControlLook* lookOf(HWND window) {
    DWORD_PTR data = 0;
    if (!GetWindowSubclass(window, lookProc, kSubclassId, &data)) {
        return nullptr;
    }
    return reinterpret_cast<ControlLook*>(data);
}

// The kind of look a window gets, if any. The Edit child of a combo box
// keeps its ordinary look inside the box's frame; a combo box's list is
// themed together with its box.
std::optional<Kind> kindOf(HWND window) {
    const std::wstring name = classNameOf(window);
    if (sameName(name, WC_BUTTONW)) {
        return Kind::Button;
    }
    if (sameName(name, WC_COMBOBOXW)) {
        if ((styleOf(window) & 0x3) == CBS_SIMPLE) {
            return std::nullopt;
        }
        return Kind::ComboBox;
    }
    if (sameName(name, WC_EDITW)) {
        const std::wstring parent = classNameOf(GetParent(window));
        if (sameName(parent, WC_COMBOBOXW) || sameName(parent, WC_COMBOBOXEXW)) {
            return std::nullopt;
        }
        return Kind::Edit;
    }
    if (sameName(name, UPDOWN_CLASSW)) {
        return Kind::UpDown;
    }
    return std::nullopt;
}

void redrawWhole(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

ControlLook* subclass(HWND window, Kind kind) {
    auto look = std::make_unique<ControlLook>(kind);
    if (!SetWindowSubclass(window, lookProc, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(look.get()))) {
        return nullptr;
    }
    return look.release();  // owned by the subclass until WM_NCDESTROY
}

void themeWindow(HWND window) {
    if (ControlLook* existing = lookOf(window)) {
        redrawWhole(window);  // another scheme
        if (existing->partner != nullptr && IsWindow(existing->partner)) {
            redrawWhole(existing->partner);
        }
        return;
    }
    const std::optional<Kind> kind = kindOf(window);
    if (!kind) {
        return;
    }
    ControlLook* look = subclass(window, *kind);
    if (look == nullptr) {
        return;
    }
    if (*kind == Kind::ComboBox) {
        const HWND list = comboPartsOf(window).list;
        if (list != nullptr && lookOf(list) == nullptr) {
            if (ControlLook* listLook = subclass(list, Kind::ComboList)) {
                listLook->partner = window;
                look->partner = list;
            }
        }
    }
    redrawWhole(window);
}

void unthemeWindow(HWND window) {
    ControlLook* look = lookOf(window);
    if (look == nullptr) {
        return;
    }
    const HWND partner = look->partner;
    RemoveWindowSubclass(window, lookProc, kSubclassId);
    delete look;
    redrawWhole(window);
    if (partner != nullptr && IsWindow(partner)) {
        unthemeWindow(partner);
    }
}

using WindowAction = void (*)(HWND);

BOOL CALLBACK childAction(HWND window, LPARAM action) {
    (*reinterpret_cast<const WindowAction*>(action))(window);
    return TRUE;
}

BOOL CALLBACK topLevelAction(HWND window, LPARAM action) {
    (*reinterpret_cast<const WindowAction*>(action))(window);
    EnumChildWindows(window, childAction, action);  // all descendants
    return TRUE;
}

// Every window of the calling thread: its top-level windows and all their
// descendants.
void forEachWindowOfThread(WindowAction action) {
    EnumThreadWindows(GetCurrentThreadId(), topLevelAction, reinterpret_cast<LPARAM>(&action));
}

// Controls created while the look is on get it once their WM_CREATE is done.
LRESULT CALLBACK afterCallHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && lookSwitch().palette != nullptr) {
        const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (call->message == WM_CREATE && call->lResult != -1) {
            themeWindow(call->hwnd);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void enableThemedLook(int scheme) {
    LookSwitch& theSwitch = lookSwitch();
    theSwitch.palette = paletteOf(scheme);
    if (theSwitch.palette == nullptr) {
        theSwitch.hook.reset();
        forEachWindowOfThread(unthemeWindow);
        return;
    }
    if (!theSwitch.hook) {
        theSwitch.hook.reset(
            SetWindowsHookExW(WH_CALLWNDPROCRET, afterCallHook, nullptr, GetCurrentThreadId()));
    }
    forEachWindowOfThread(themeWindow);
}

}  // namespace tavrel::app
