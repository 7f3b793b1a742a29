// The themed look of the real window: its key colours read back from the
// screen, the information box's button themed like the window's, and painting
// that loses no GDI objects.
#include <gtest/gtest.h>

#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/ids.h"
#include "fixture.h"

namespace tavrel::e2e {
namespace {

constexpr COLORREF kButtonOutline = RGB(55, 98, 6);
constexpr COLORREF kFieldFrame = RGB(164, 185, 127);
constexpr COLORREF kDropButtonFace = RGB(142, 153, 125);
constexpr COLORREF kRadioOutline = RGB(33, 85, 132);

std::string colourText(COLORREF colour) {
    char text[32];
    std::snprintf(text, sizeof text, "(%d, %d, %d)", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

// Small owners for the GDI handles of a screen shot.
class ScreenDc {
  public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_ != nullptr) {
            ReleaseDC(nullptr, dc_);
        }
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

class MemoryDc {
  public:
    explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDc() {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

class GdiObject {
  public:
    explicit GdiObject(HGDIOBJ object) : object_(object) {}
    ~GdiObject() {
        if (object_ != nullptr) {
            DeleteObject(object_);
        }
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    HGDIOBJ get() const { return object_; }

  private:
    HGDIOBJ object_;
};

class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The colours of a rectangle of the screen, copied from the screen's device
// context (under Wine: what the X server shows).
class ScreenShot {
  public:
    explicit ScreenShot(const RECT& area) : area_(area) {
        const int w = width(area);
        const int h = height(area);
        if (w <= 0 || h <= 0) {
            return;
        }
        const ScreenDc screen;
        const MemoryDc memory(screen.get());
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        const GdiObject bitmap(
            CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (screen.get() == nullptr || memory.get() == nullptr || bitmap.get() == nullptr ||
            bits == nullptr) {
            return;
        }
        const Selection selected(memory.get(), bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, w, h, screen.get(), area.left, area.top, SRCCOPY)) {
            return;
        }
        GdiFlush();
        const auto* first = static_cast<const std::uint32_t*>(bits);
        pixels_.assign(first, first + static_cast<size_t>(w) * static_cast<size_t>(h));
    }

    bool taken() const { return !pixels_.empty(); }

    // The colour at a point of the screen; black outside the shot.
    COLORREF at(int x, int y) const {
        if (!taken() || x < area_.left || y < area_.top || x >= area_.right || y >= area_.bottom) {
            return RGB(0, 0, 0);
        }
        const std::uint32_t pixel =
            pixels_[static_cast<size_t>(y - area_.top) * static_cast<size_t>(width(area_)) +
                    static_cast<size_t>(x - area_.left)];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

  private:
    RECT area_;
    std::vector<std::uint32_t> pixels_;
};

// Where on a control a key colour shows, in screen coordinates from the
// control's outer rectangle.
enum class Probe {
    TopEdgeMiddle,        // a push button's outline
    LeftEdgeMiddle,       // a combo box's frame
    DropButtonFace,       // a combo box's drop-down button, right of the arrow
    LeftmostOfTheCircle,  // a radio circle's outline: column 0 near the middle
    BackgroundCorner,     // a label's background, away from its text
};

// The colour the probe finds on the shot, or the first colour it met when
// none of its pixels has the expected one.
COLORREF probeColour(const ScreenShot& shot, const RECT& r, Probe probe, COLORREF expected) {
    const int middleX = r.left + width(r) / 2;
    const int middleY = r.top + height(r) / 2;
    switch (probe) {
        case Probe::TopEdgeMiddle: return shot.at(middleX, r.top);
        case Probe::LeftEdgeMiddle: return shot.at(r.left, middleY);
        case Probe::DropButtonFace: return shot.at(r.right - 4, middleY);
        case Probe::BackgroundCorner: return shot.at(r.left + 1, r.top + 1);
        case Probe::LeftmostOfTheCircle: {
            // A 15-pixel circle centred on the control's height meets column
            // 0 in exactly the outline colour on one row near the middle.
            for (int y = middleY - 2; y <= middleY + 2; ++y) {
                if (shot.at(r.left, y) == expected) {
                    return expected;
                }
            }
            return shot.at(r.left, middleY);
        }
    }
    return RGB(0, 0, 0);
}

struct ColourCase {
    const char* name;
    int id;
    Probe probe;
    std::optional<COLORREF> expected;  // none: the system's button face, as Wine reports it
};

// clang-format off
const ColourCase kColours[] = {
    {"按钮1 outline", ids::kButtonStart, Probe::TopEdgeMiddle, kButtonOutline},
    {"按钮2 outline", ids::kButtonCancel, Probe::TopEdgeMiddle, kButtonOutline},
    {"按钮3 outline", ids::kButtonExit, Probe::TopEdgeMiddle, kButtonOutline},
    {"组合框时 frame", ids::kComboHours, Probe::LeftEdgeMiddle, kFieldFrame},
    {"组合框点分 frame", ids::kComboClockMinute, Probe::LeftEdgeMiddle, kFieldFrame},
    {"组合框时 drop-down button", ids::kComboHours, Probe::DropButtonFace, kDropButtonFace},
    {"组合框秒 drop-down button", ids::kComboSeconds, Probe::DropButtonFace, kDropButtonFace},
    {"单选框1 circle", ids::kRadioCountdown, Probe::LeftmostOfTheCircle, kRadioOutline},
    {"单选框2 circle", ids::kRadioClockTime, Probe::LeftmostOfTheCircle, kRadioOutline},
    {"标签3 background", ids::kLabel3, Probe::BackgroundCorner, std::nullopt},
    {"标签6 background", ids::kLabel6, Probe::BackgroundCorner, std::nullopt},
};
// clang-format on

// Moves the mouse pointer off the window, so no control shows itself hot.
void parkMousePointer() {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

using LookTest = TavrelTest;

TEST_F(LookTest, KeyColoursOfTheThemedControlsShowOnScreenAndLabelsKeepTheButtonFace) {
    parkMousePointer();
    const COLORREF buttonFace = GetSysColor(COLOR_BTNFACE);
    const auto expectedOf = [&](const ColourCase& c) { return c.expected.value_or(buttonFace); };
    // The window may not have painted yet: shoot until every colour is there
    // or the time-out passes, then report each one.
    std::optional<ScreenShot> shot;
    const RECT window = outerRect(app_.mainWindow());
    waitFor([&] {
        shot.emplace(window);
        for (const ColourCase& c : kColours) {
            const RECT r = outerRect(app_.control(c.id));
            if (probeColour(*shot, r, c.probe, expectedOf(c)) != expectedOf(c)) {
                return false;
            }
        }
        return true;
    });
    ASSERT_TRUE(shot->taken()) << "no screen shot of the main window";
    for (const ColourCase& c : kColours) {
        const RECT r = outerRect(app_.control(c.id));
        EXPECT_EQ(colourText(probeColour(*shot, r, c.probe, expectedOf(c))),
                  colourText(expectedOf(c)))
            << c.name;
    }
}

TEST_F(LookTest, InformationBoxOkButtonIsThemedLikeTheWindowsButtons) {
    parkMousePointer();
    // 0 hours, 0 minutes, 0 seconds: 按钮1 is refused with the information box.
    app_.click(ids::kButtonStart);
    const HWND box = app_.waitForInformationBox();
    ASSERT_NE(box, nullptr) << "no information box";
    const HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr);
    const RECT r = outerRect(ok);
    COLORREF outline = RGB(0, 0, 0);
    waitFor([&] {
        outline = probeColour(ScreenShot(r), r, Probe::TopEdgeMiddle, kButtonOutline);
        return outline == kButtonOutline;
    });
    EXPECT_EQ(colourText(outline), colourText(kButtonOutline));
    dismissMessageBox(box);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(box); }));
}

// The GDI objects a process holds. Windows answers GetGuiResources; Wine 8
// leaves that unimplemented but keeps each process's GDI handles in a table
// that the process environment block points to (GdiSharedHandleTable), whose
// entries have a non-zero type while their object lives.
struct WineGdiEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(WineGdiEntry) == 24, "Wine's GDI_HANDLE_ENTRY");
constexpr size_t kWineGdiEntries = 0x10000;
constexpr size_t kGdiTableOffsetInPeb = sizeof(void*) == 4 ? 0x94 : 0xF8;

using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

std::optional<DWORD> wineGdiObjectCount(HANDLE process) {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const FARPROC found =
        ntdll != nullptr ? GetProcAddress(ntdll, "NtQueryInformationProcess") : nullptr;
    if (found == nullptr) {
        return std::nullopt;
    }
    // Through the generic function type, which converts without warnings.
    const auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void (*)()>(found));
    PROCESS_BASIC_INFORMATION basic{};
    if (query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
        return std::nullopt;
    }
    void* table = nullptr;
    const auto* slot = static_cast<const char*>(static_cast<const void*>(basic.PebBaseAddress)) +
                       kGdiTableOffsetInPeb;
    if (!ReadProcessMemory(process, slot, &table, sizeof table, nullptr) || table == nullptr) {
        return std::nullopt;
    }
    std::vector<WineGdiEntry> entries(kWineGdiEntries);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(WineGdiEntry),
                           nullptr)) {
        return std::nullopt;
    }
    DWORD count = 0;
    for (const WineGdiEntry& entry : entries) {
        if (entry.type != 0) {
            ++count;
        }
    }
    return count;
}

std::optional<DWORD> gdiObjectCount(DWORD pid) {
    const bench::UniqueHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    if (!process) {
        return std::nullopt;
    }
    SetLastError(ERROR_SUCCESS);
    const DWORD count = GetGuiResources(process.get(), GR_GDIOBJECTS);
    if (count != 0) {
        return count;
    }
    if (GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
        return wineGdiObjectCount(process.get());
    }
    return std::nullopt;
}

// Proves the counter on this process: brushes made and deleted show up.
void expectCounterSeesBrushes() {
    constexpr int kBrushes = 25;
    const std::optional<DWORD> before = gdiObjectCount(GetCurrentProcessId());
    ASSERT_TRUE(before.has_value()) << "cannot count GDI objects";
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < kBrushes; ++i) {
        brushes.push_back(CreateSolidBrush(RGB(i, 2 * i, 3 * i)));
    }
    const std::optional<DWORD> during = gdiObjectCount(GetCurrentProcessId());
    for (HBRUSH brush : brushes) {
        DeleteObject(brush);
    }
    const std::optional<DWORD> after = gdiObjectCount(GetCurrentProcessId());
    ASSERT_TRUE(during.has_value() && after.has_value());
    ASSERT_EQ(*during, *before + kBrushes) << "the GDI object counter does not count";
    ASSERT_EQ(*after, *before) << "the GDI object counter does not count";
}

// Redraws the whole window, every control included, and waits for the paint.
void repaintEverything(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The mouse comes over a control and goes again: hot, then not hot.
void hoverOnce(HWND control, POINT inside) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(control, WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y), SMTO_NORMAL,
                        kDefaultTimeoutMs, &ignored);
    SendMessageTimeoutW(control, WM_MOUSELEAVE, 0, 0, SMTO_NORMAL, kDefaultTimeoutMs, &ignored);
}

struct HoverTarget {
    int id;
    bool rightEnd;  // a combo box: its drop-down button at the right
};

const HoverTarget kHoverTargets[] = {
    {ids::kButtonStart, false},     {ids::kButtonCancel, false},   {ids::kButtonExit, false},
    {ids::kRadioCountdown, false},  {ids::kRadioClockTime, false}, {ids::kComboHours, true},
    {ids::kComboMinutes, true},     {ids::kComboSeconds, true},    {ids::kComboClockHour, true},
    {ids::kComboClockMinute, true},
};

TEST_F(LookTest, ThousandsOfRepaintsAndHoverChangesLoseNoGdiObjects) {
    expectCounterSeesBrushes();
    if (HasFatalFailure()) {
        return;
    }
    parkMousePointer();
    const HWND main = app_.mainWindow();
    const auto round = [&] {
        repaintEverything(main);
        for (const HoverTarget& target : kHoverTargets) {
            const HWND control = app_.control(target.id);
            const RECT r = outerRect(control);
            hoverOnce(control, POINT{target.rightEnd ? width(r) - 4 : width(r) / 2, height(r) / 2});
        }
    };
    // Caches fill on the first paints; count from a settled state.
    for (int i = 0; i < 20; ++i) {
        round();
    }
    const std::optional<DWORD> before = gdiObjectCount(app_.pid());
    ASSERT_TRUE(before.has_value());
    ASSERT_GT(*before, 0u);

    // Each round repaints the whole window (ten themed controls among its
    // children) and makes each themed control hot and cold again: 3000
    // repaints of themed controls and 6000 hover changes in all, each hover
    // change repainting its control once more.
    constexpr int kRounds = 300;
    for (int i = 0; i < kRounds; ++i) {
        round();
    }
    ASSERT_TRUE(app_.running());
    const std::optional<DWORD> after = gdiObjectCount(app_.pid());
    ASSERT_TRUE(after.has_value());
    // A leak of one object per paint would show as thousands.
    constexpr DWORD kSlack = 4;
    EXPECT_LE(*after, *before + kSlack) << "GDI objects before " << *before << ", after " << *after;
    EXPECT_GE(*after + kSlack, *before) << "GDI objects before " << *before << ", after " << *after;
}

}  // namespace
}  // namespace tavrel::e2e
