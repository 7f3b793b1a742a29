// The notification-area icon from the user's side: its tip, what each click
// on it does, the pop-up menu and its entries, and the ways the main window
// goes into the tray (minimise, close, Windows' question before a log-off)
// and comes back. The icon is reached through Wine's own tray window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ids.h"
#include "fixture.h"

#include <shellapi.h>

namespace tavrel::e2e {
namespace {

// Wine's stand-alone tray (no X tray runs in the bench) and each icon's window in it.
constexpr wchar_t kWineTrayClass[] = L"__winex11_standalone_tray";
constexpr wchar_t kWineTrayIconClass[] = L"__winex11_tray_icon";
constexpr wchar_t kTipClass[] = L"tooltips_class32";
constexpr int kMenuOffset = 5;

// The icon as the shell knows it: the main window's icon 100, whose clicks come
// back as WM_APP + 100.
constexpr UINT kIconId = 100;
constexpr UINT kIconCallback = WM_APP + 100;

class TrayTest : public TavrelTest {
  protected:
    // Waits for a tick of the program's clock line. Under Wine the program
    // takes in the X server's focus-out of a window it has hidden (or of the
    // closed About window) only when it next waits for input; arriving after
    // the test has shown the window again or opened the menu, that late
    // focus-out deactivates the window or closes the menu. So after such a
    // step, the program catches up before the test goes on.
    void letTheProgramCatchUp() const { app_.waitForClockTick(); }

    // Whether the shell holds an icon for (main window, id): a modify that
    // changes nothing succeeds only for an existing icon.
    bool iconExists(UINT id = kIconId) const { return notifyShell(NIM_MODIFY, id); }
    bool deleteIcon() const { return notifyShell(NIM_DELETE, kIconId); }

    // The program's icon in Wine's tray: the last one added.
    static HWND iconWindow() {
        const HWND tray = FindWindowW(kWineTrayClass, nullptr);
        HWND last = nullptr;
        for (HWND icon = FindWindowExW(tray, nullptr, kWineTrayIconClass, nullptr); icon;
             icon = FindWindowExW(tray, icon, kWineTrayIconClass, nullptr)) {
            if (last == nullptr || outerRect(icon).left > outerRect(last).left) {
                last = icon;
            }
        }
        return last;
    }
    static POINT centreOf(HWND window) {
        const RECT r = outerRect(window);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    static POINT screenCentre() {
        return {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
    }
    // A mouse message on the icon, as the X server would deliver it to Wine's tray.
    void postToIcon(UINT mouseMessage) const {
        PostMessageW(iconWindow(), mouseMessage, 0, MAKELPARAM(5, 5));
    }

    // The active window of the program's thread.
    HWND activeWindow() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(app_.threadId(), &info) ? info.hwndActive : nullptr;
    }
    bool hiddenInTray() const {
        return !IsWindowVisible(app_.mainWindow()) && IsIconic(app_.mainWindow());
    }
    bool shownRestoredAndActive() const {
        return IsWindowVisible(app_.mainWindow()) && !IsIconic(app_.mainWindow()) &&
               activeWindow() == app_.mainWindow();
    }
    void hideByMinimising() const {
        SendMessageW(app_.mainWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(waitFor([&] { return hiddenInTray(); }));
        letTheProgramCatchUp();
    }

    // The program's visible pop-up menu, or null.
    HWND trayMenu() const { return app_.popUpMenu(); }
    // Right-clicks the icon with the cursor at `at` and waits for the menu.
    HWND openTrayMenu(POINT at) const {
        SetCursorPos(at.x, at.y);
        postToIcon(WM_RBUTTONUP);
        HWND menu = nullptr;
        waitFor([&] { return (menu = trayMenu()) != nullptr; });
        return menu;
    }
    // Opens the menu and takes the entry that `downs` presses of the Down key reach.
    void chooseFromMenu(int downs) const {
        const HWND menu = openTrayMenu(screenCentre());
        ASSERT_NE(menu, nullptr) << "no tray menu";
        for (int i = 0; i < downs; ++i) {
            PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 1);
        }
        PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 1);
        ASSERT_TRUE(waitFor([&] { return trayMenu() == nullptr; })) << "the menu stayed open";
    }

    void startCountdown(const wchar_t* hours, const wchar_t* minutes, const wchar_t* seconds) {
        enterCountdown(hours, minutes, seconds);
        app_.click(ids::kButtonStart);
        ASSERT_TRUE(waitFor([&] { return !app_.enabled(ids::kButtonStart); }));
    }

  private:
    bool notifyShell(DWORD action, UINT id) const {
        NOTIFYICONDATAW data{};
        data.cbSize = NOTIFYICONDATAW_V1_SIZE;
        data.hWnd = app_.mainWindow();
        data.uID = id;
        return Shell_NotifyIconW(action, &data) != FALSE;
    }
};

// A real hover and click: the pointer's events reach Wine's tray, which shows
// the icon's tip and passes the click on to the window as the icon's message.
TEST_F(TrayTest, TheIconNumber100ShowsTheTipTavrelAndARealClickShowsTheHiddenWindow) {
    EXPECT_TRUE(iconExists()) << "no icon 100 for the main window";
    EXPECT_FALSE(iconExists(kIconId + 1));
    hideByMinimising();

    HWND icon = nullptr;
    ASSERT_TRUE(waitFor([&] { return (icon = iconWindow()) != nullptr; }))
        << "no icon in Wine's tray";
    const POINT on = centreOf(icon);
    ASSERT_TRUE(SetCursorPos(on.x, on.y));
    INPUT input[3] = {};
    for (INPUT& event : input) {
        event.type = INPUT_MOUSE;
    }
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE;  // a hover, for the tip
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(1, input, sizeof(INPUT)), 1u);
    std::wstring tip;
    EXPECT_TRUE(waitFor([&] {
        for (HWND t = FindWindowW(kTipClass, nullptr); t;
             t = FindWindowExW(nullptr, t, kTipClass, nullptr)) {
            if (IsWindowVisible(t) && windowProcessId(t) == windowProcessId(icon)) {
                tip = windowText(t);
                return true;
            }
        }
        return false;
    })) << "no tip over the icon";
    EXPECT_EQ(u8(tip), "Tavrel");

    ASSERT_EQ(SendInput(2, input + 1, sizeof(INPUT)), 2u);
    EXPECT_TRUE(waitFor([&] { return shownRestoredAndActive(); }))
        << "a click on the icon left the window visible=" << IsWindowVisible(app_.mainWindow())
        << " minimised=" << IsIconic(app_.mainWindow());
}

TEST_F(TrayTest, LeftClicksShowTheWindowOtherMouseMessagesDoNothing) {
    hideByMinimising();
    for (UINT ignored : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK,
                         WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK}) {
        SCOPED_TRACE(testing::Message() << "mouse message " << ignored);
        // Sent straight to the window: when the call returns, the program has reacted.
        DWORD_PTR result = 0;
        ASSERT_TRUE(SendMessageTimeoutW(app_.mainWindow(), kIconCallback, kIconId, ignored,
                                        SMTO_ABORTIFHUNG, 5000, &result))
            << "the callback did not return: a menu or window is waiting";
        EXPECT_TRUE(hiddenInTray());
        EXPECT_EQ(trayMenu(), nullptr);
    }

    PostMessageW(app_.mainWindow(), kIconCallback, kIconId, WM_LBUTTONUP);
    EXPECT_TRUE(waitFor([&] { return shownRestoredAndActive(); })) << "a left click";
    hideByMinimising();
    postToIcon(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(waitFor([&] { return shownRestoredAndActive(); })) << "a double-click";
}

TEST_F(TrayTest, ARightClickOpensTheMenuLeftOfAndAboveTheCursorTheWindowStaysHidden) {
    hideByMinimising();
    const POINT cursor = screenCentre();
    const HWND menu = openTrayMenu(cursor);
    ASSERT_NE(menu, nullptr) << "no tray menu";
    const RECT placed = outerRect(menu);
    EXPECT_EQ(placed.right, cursor.x - kMenuOffset);
    EXPECT_EQ(placed.top, cursor.y - kMenuOffset);
    EXPECT_TRUE(hiddenInTray()) << "the right click showed the window";

    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(waitFor([&] { return trayMenu() == nullptr; }));
}

// The menu's entries, in order: 隐藏软件, 显示软件, 取消关机, 关于, 退出软件.
TEST_F(TrayTest, EachOfTheFiveMenuEntriesActs) {
    ASSERT_NO_FATAL_FAILURE(startCountdown(L"0", L"5", L"0"));

    ASSERT_NO_FATAL_FAILURE(chooseFromMenu(1));
    EXPECT_TRUE(waitFor([&] { return hiddenInTray(); })) << "隐藏软件 did not hide the window";
    letTheProgramCatchUp();
    ASSERT_NO_FATAL_FAILURE(chooseFromMenu(2));
    EXPECT_TRUE(waitFor([&] { return shownRestoredAndActive(); })) << "显示软件";
    // Seven presses go round five entries to the second one again.
    ASSERT_NO_FATAL_FAILURE(hideByMinimising());
    ASSERT_NO_FATAL_FAILURE(chooseFromMenu(7));
    EXPECT_TRUE(waitFor([&] { return shownRestoredAndActive(); })) << "not five entries";

    ASSERT_NE(u8(countdownBoxes()), "0,0,0");
    ASSERT_NO_FATAL_FAILURE(chooseFromMenu(3));
    EXPECT_TRUE(waitFor([&] { return app_.enabled(ids::kButtonStart); })) << "取消关机";
    EXPECT_EQ(u8(countdownBoxes()), "0,0,0");

    ASSERT_NO_FATAL_FAILURE(chooseFromMenu(4));
    HWND about = nullptr;
    EXPECT_TRUE(waitFor([&] {
        about = FindWindowW(ids::kAboutWindowClass, nullptr);
        return about != nullptr && windowProcessId(about) == app_.pid() && IsWindowVisible(about);
    })) << "关于 opened no About window";
    PostMessageW(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(about); }));
    letTheProgramCatchUp();

    ASSERT_NO_FATAL_FAILURE(startCountdown(L"0", L"5", L"0"));
    ASSERT_NO_FATAL_FAILURE(chooseFromMenu(5));
    DWORD exitCode = 1;
    ASSERT_TRUE(app_.waitForExit(kDefaultTimeoutMs, &exitCode)) << "退出软件 did not end it";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(iconExists());
    EXPECT_TRUE(bench::readLog(bench::kShutdownLog).empty()) << "the exit launched the countdown";
}

TEST_F(TrayTest, MinimisingAndCloseRequestsHideTheWindowAndTheCountdownGoesOn) {
    const struct {
        const char* name;
        void (*request)(HWND main);
    } hideRequests[] = {
        {"minimise box", [](HWND main) { SendMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0); }},
        {"ShowWindow", [](HWND main) { ShowWindow(main, SW_MINIMIZE); }},
        {"WM_CLOSE", [](HWND main) { SendMessageW(main, WM_CLOSE, 0, 0); }},
        {"Close of the system menu",
         [](HWND main) { SendMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    ASSERT_NO_FATAL_FAILURE(startCountdown(L"0", L"5", L"0"));
    for (const auto& hide : hideRequests) {
        SCOPED_TRACE(hide.name);
        const std::wstring boxes = countdownBoxes();
        hide.request(app_.mainWindow());
        EXPECT_TRUE(waitFor([&] { return hiddenInTray(); }));
        EXPECT_TRUE(app_.running());
        // A tick of the hidden countdown; the program has caught up by then.
        EXPECT_TRUE(waitFor([&] { return countdownBoxes() != boxes; }))
            << "the hidden countdown stopped at " << u8(countdownBoxes());
        EXPECT_TRUE(hiddenInTray());

        postToIcon(WM_LBUTTONUP);  // back for the next request
        ASSERT_TRUE(waitFor([&] { return shownRestoredAndActive(); }));
    }
}

TEST_F(TrayTest, AHiddenCountdownStillLaunchesTheShutdown) {
    ASSERT_NO_FATAL_FAILURE(startCountdown(L"0", L"0", L"3"));
    SendMessageW(app_.mainWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(hiddenInTray());
    ASSERT_TRUE(bench::readLog(bench::kShutdownLog).empty());

    const std::vector<bench::LogLine> launches = waitForLaunch();
    ASSERT_EQ(launches.size(), 1u) << "the hidden countdown launched no shutdown";
    EXPECT_EQ(u8(launches[0].commandLine), "shutdown -f -s -t 0");
    EXPECT_TRUE(hiddenInTray());
}

TEST_F(TrayTest, WindowsQuestionBeforeALogOffIsAnsweredNoAndHidesTheWindow) {
    for (const char* state : {"shown", "hidden"}) {
        SCOPED_TRACE(state);
        DWORD_PTR answer = 1;
        ASSERT_TRUE(SendMessageTimeoutW(app_.mainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                        SMTO_ABORTIFHUNG, 5000, &answer));
        EXPECT_EQ(answer, 0u);
        EXPECT_TRUE(hiddenInTray());
    }
    EXPECT_TRUE(app_.running());
}

TEST_F(TrayTest, TheIconComesBackWhenTheTaskbarIsCreatedAnew) {
    ASSERT_TRUE(deleteIcon());
    ASSERT_FALSE(iconExists());
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    ASSERT_NE(taskbarCreated, 0u);
    ASSERT_TRUE(PostMessageW(HWND_BROADCAST, taskbarCreated, 0, 0));
    EXPECT_TRUE(waitFor([&] { return iconExists(); })) << "the icon stayed away";

    // The icon that came back works like the first.
    hideByMinimising();
    postToIcon(WM_LBUTTONUP);
    EXPECT_TRUE(waitFor([&] { return shownRestoredAndActive(); }));
}

}  // namespace
}  // namespace tavrel::e2e
