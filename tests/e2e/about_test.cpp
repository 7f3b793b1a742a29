// The About window, opened from the tray menu: its form and lines, the main
// window it disables while it is open, a single window at a time, and an exit
// while it is open. (Esc is a keyboard rule, tested with the keys.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/about_texts.h"
#include "app/ids.h"
#include "fixture.h"

#include <shellapi.h>

namespace tavrel::e2e {
namespace {

constexpr int kAboutWidth = 186;
constexpr int kAboutHeight = 144;

// The icon as the shell knows it, and its menu's entries by their place.
constexpr UINT kIconId = 100;
constexpr UINT kIconCallback = WM_APP + 100;
constexpr int kEntryHide = 1;
constexpr int kEntryAbout = 4;
constexpr int kEntryExit = 5;

class AboutTest : public TavrelTest {
  protected:
    // The program's visible About windows.
    std::vector<HWND> aboutWindows() const {
        std::vector<HWND> found;
        for (HWND w = FindWindowW(ids::kAboutWindowClass, nullptr); w;
             w = FindWindowExW(nullptr, w, ids::kAboutWindowClass, nullptr)) {
            if (windowProcessId(w) == app_.pid() && IsWindowVisible(w)) {
                found.push_back(w);
            }
        }
        return found;
    }
    HWND trayMenu() const { return app_.popUpMenu(); }
    // Waits for a tick of the program's clock line. Under Wine the program
    // takes in the X server's focus-out of a window that lost the focus (the
    // hidden main window, the About window when another program comes to the
    // front or it is minimised) only when it next waits for input; arriving
    // after the next click, that late focus-out closes the menu or takes the
    // activation away. So after such a step, the program catches up first.
    void letTheProgramCatchUp() const { app_.waitForClockTick(); }
    // A click on the tray icon, as the shell reports it to the main window.
    void trayClick(UINT mouseMessage) const {
        PostMessageW(app_.mainWindow(), kIconCallback, kIconId, mouseMessage);
    }
    // Right-clicks the icon and takes the menu entry at `place` with the Down key.
    void chooseFromTrayMenu(int place) const {
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 4);
        trayClick(WM_RBUTTONUP);
        HWND menu = nullptr;
        ASSERT_TRUE(waitFor([&] { return (menu = trayMenu()) != nullptr; })) << "no tray menu";
        for (int i = 0; i < place; ++i) {
            PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 1);
        }
        PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 1);
        ASSERT_TRUE(waitFor([&] { return trayMenu() == nullptr; })) << "the menu stayed open";
    }
    // Chooses "关于" and waits for the About window.
    HWND openAbout() const {
        chooseFromTrayMenu(kEntryAbout);
        if (testing::Test::HasFatalFailure()) {
            return nullptr;
        }
        HWND about = nullptr;
        waitFor([&] {
            const std::vector<HWND> open = aboutWindows();
            about = open.empty() ? nullptr : open.front();
            return about != nullptr && !IsWindowEnabled(app_.mainWindow());
        });
        return about;
    }
    // The active window of the program's thread.
    HWND activeWindow() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(app_.threadId(), &info) ? info.hwndActive : nullptr;
    }
    bool iconExists() const {
        NOTIFYICONDATAW data{};
        data.cbSize = NOTIFYICONDATAW_V1_SIZE;
        data.hWnd = app_.mainWindow();
        data.uID = kIconId;
        return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    }
};

struct LabelCase {
    int id;
    const char* name;
    int left, top, width, height;
};

constexpr LabelCase kLabels[] = {
    {ids::kAboutAuthor, "标签1", 32, 24, 112, 24},
    {ids::kAboutContact, "标签2", 16, 48, 144, 24},
};

TEST_F(AboutTest, AFixedCentredOwnedWindowWithTheAuthorAndContactLinesThatDisablesTheMain) {
    const HWND about = openAbout();
    ASSERT_NE(about, nullptr) << "关于 opened no About window";
    const HWND main = app_.mainWindow();
    EXPECT_FALSE(IsWindowEnabled(main));
    EXPECT_TRUE(IsWindowVisible(main));

    EXPECT_EQ(u8(windowText(about)), "关于");
    const RECT outer = outerRect(about);
    EXPECT_EQ(width(outer), kAboutWidth);
    EXPECT_EQ(height(outer), kAboutHeight);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - kAboutWidth) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - kAboutHeight) / 2);
    // A close box only: no minimise or maximise box, no sizing frame.
    EXPECT_EQ(style(about) & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style(about) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD), 0);
    EXPECT_EQ(exStyle(about) & (WS_EX_APPWINDOW | WS_EX_TOPMOST), 0);
    // Owned like the main window, so no taskbar button.
    EXPECT_NE(GetWindow(about, GW_OWNER), nullptr);
    EXPECT_EQ(GetWindow(about, GW_OWNER), GetWindow(main, GW_OWNER));

    for (const LabelCase& label : kLabels) {
        SCOPED_TRACE(label.name);
        const HWND control = GetDlgItem(about, label.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(u8(className(control)), "TavrelLabel");
        const RECT placed = rectInClientOf(control, about);
        EXPECT_EQ(placed.left, label.left);
        EXPECT_EQ(placed.top, label.top);
        EXPECT_EQ(width(placed), label.width);
        EXPECT_EQ(height(placed), label.height);
    }
    EXPECT_EQ(u8(windowText(GetDlgItem(about, ids::kAboutAuthor))), "作者：Tavrel 开发组");
    const std::wstring contact = windowText(GetDlgItem(about, ids::kAboutContact));
    EXPECT_EQ(contact, app::kAboutContactLine);
    EXPECT_EQ(u8(contact.substr(0, 3)), "邮箱：");
    EXPECT_NE(contact.find(L"@example.org"), std::wstring::npos) << u8(contact);

    PostMessageW(about, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(about); }));
    EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(main) != FALSE; }));
    EXPECT_TRUE(IsWindowVisible(main));
}

TEST_F(AboutTest, OpenedWhileTheMainWindowIsHiddenItDisablesItAndAltF4GivesItBackHidden) {
    const HWND main = app_.mainWindow();
    SendMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindowVisible(main); }));
    letTheProgramCatchUp();
    const HWND about = openAbout();
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(IsWindowEnabled(main)) << "the hidden main window stayed enabled";
    EXPECT_FALSE(IsWindowVisible(main));

    // Alt+F4 through the system's input, to the About window in front.
    letTheProgramCatchUp();
    ASSERT_TRUE(SetForegroundWindow(about));
    ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == about && activeWindow() == about; }));
    INPUT keys[4] = {};
    const WORD sequence[4][2] = {
        {VK_MENU, 0}, {VK_F4, 0}, {VK_F4, KEYEVENTF_KEYUP}, {VK_MENU, KEYEVENTF_KEYUP}};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = sequence[i][0];
        keys[i].ki.dwFlags = sequence[i][1];
    }
    ASSERT_EQ(SendInput(4, keys, sizeof(INPUT)), 4u);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(about); })) << "Alt+F4 left the About window";
    EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(main) != FALSE; }));
    EXPECT_FALSE(IsWindowVisible(main)) << "closing the About window showed the main one";
    EXPECT_TRUE(app_.running());
}

TEST_F(AboutTest, AboutAgainAndAClickOnTheIconBringTheOneAboutWindowToTheFront) {
    const HWND about = openAbout();
    ASSERT_NE(about, nullptr);

    // Another program's window comes to the front (a second Tavrel.exe).
    TavrelProcess other;
    std::wstring error;
    ASSERT_TRUE(other.start(exePath(), &error)) << u8(error);
    ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == other.mainWindow(); }));
    letTheProgramCatchUp();

    ASSERT_NO_FATAL_FAILURE(chooseFromTrayMenu(kEntryAbout));
    EXPECT_TRUE(waitFor([&] { return GetForegroundWindow() == about; }))
        << "关于 again left the About window behind";
    EXPECT_EQ(aboutWindows(), std::vector<HWND>{about}) << "a second About window";

    // The menu acts on the main window as usual; a click on the icon shows the
    // disabled main window, which passes the activation on.
    ASSERT_NO_FATAL_FAILURE(chooseFromTrayMenu(kEntryHide));
    ASSERT_TRUE(waitFor([&] { return !IsWindowVisible(app_.mainWindow()); }))
        << "隐藏软件 did not hide the main window";
    letTheProgramCatchUp();
    trayClick(WM_LBUTTONUP);
    EXPECT_TRUE(waitFor([&] { return IsWindowVisible(app_.mainWindow()) != FALSE; }));
    EXPECT_TRUE(waitFor([&] { return activeWindow() == about; }))
        << "the active window is " << activeWindow();
    EXPECT_FALSE(IsWindowEnabled(app_.mainWindow()));
    EXPECT_EQ(aboutWindows(), std::vector<HWND>{about});

    // A minimised About window is restored by 关于.
    ShowWindow(about, SW_MINIMIZE);
    ASSERT_TRUE(waitFor([&] { return IsIconic(about) != FALSE; }));
    letTheProgramCatchUp();
    ASSERT_NO_FATAL_FAILURE(chooseFromTrayMenu(kEntryAbout));
    EXPECT_TRUE(waitFor([&] { return !IsIconic(about); }));
    EXPECT_EQ(aboutWindows(), std::vector<HWND>{about});
}

TEST_F(AboutTest, ExitWhileItIsOpenRemovesMainWindowAndIconAndTheProgramEndsWhenItCloses) {
    enterCountdown(L"0", L"5", L"0");
    app_.click(ids::kButtonStart);
    ASSERT_TRUE(waitFor([&] { return !app_.enabled(ids::kButtonStart); }));
    const HWND about = openAbout();
    ASSERT_NE(about, nullptr);
    // Timers go on while the About window is open.
    const std::wstring boxes = countdownBoxes();
    EXPECT_TRUE(waitFor([&] { return countdownBoxes() != boxes; })) << "the countdown stopped";

    ASSERT_NO_FATAL_FAILURE(chooseFromTrayMenu(kEntryExit));
    EXPECT_TRUE(waitFor([&] { return !IsWindow(app_.mainWindow()); }))
        << "退出软件 left the main window";
    EXPECT_FALSE(iconExists()) << "the tray icon stayed";
    EXPECT_TRUE(app_.running()) << "the program ended before its About window was closed";
    EXPECT_TRUE(IsWindowVisible(about));

    PostMessageW(about, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(app_.waitForExit(kDefaultTimeoutMs, &exitCode))
        << "closing the last window did not end the program";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(bench::readLog(bench::kShutdownLog).empty()) << "the exit launched the countdown";
}

}  // namespace
}  // namespace tavrel::e2e
