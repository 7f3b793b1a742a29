// The keys the program handles itself: Esc, Tab and Shift+Tab, the arrows on
// the radio buttons, Enter and Space on a push button, and the focus a
// window gives back when it is activated again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ids.h"
#include "fixture.h"

namespace tavrel::e2e {
namespace {

class KeyboardTest : public TavrelTest {
  protected:
    // A keystroke through the program's message queue, to the focused window.
    void pressKey(UINT key) const {
        // Under Wine the X server's focus events come late and may leave the
        // new window inactive for a moment: keys go to an active window.
        if (app_.focus() == nullptr && IsWindowVisible(app_.mainWindow())) {
            SetForegroundWindow(app_.mainWindow());
            waitFor([&] { return app_.focus() != nullptr; });
        }
        const HWND target = app_.focus() ? app_.focus() : app_.mainWindow();
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    }
    // The control that holds the focus (a combo box for its edit field).
    int focusedControl() const {
        HWND focus = app_.focus();
        while (focus != nullptr && GetParent(focus) != app_.mainWindow()) {
            focus = GetParent(focus);
        }
        return focus ? GetDlgCtrlID(focus) : 0;
    }
    // Presses Tab and waits for the focus to land on `expected`.
    void tabTo(int expected) const {
        const int before = focusedControl();
        pressKey(VK_TAB);
        EXPECT_TRUE(waitFor([&] { return focusedControl() == expected; }))
            << "Tab from " << before << " went to " << focusedControl() << ", not " << expected;
    }
    bool checked(int id) const {
        return SendMessageW(app_.control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
};

constexpr int kTabOrder[] = {
    ids::kButtonStart,    ids::kButtonCancel,     ids::kComboHours,     ids::kComboMinutes,
    ids::kComboSeconds,   ids::kComboClockMinute, ids::kComboClockHour, ids::kRadioCountdown,
    ids::kRadioClockTime, ids::kButtonExit,
};

TEST_F(KeyboardTest, TabVisitsTheFixedOrderAndWrapsShiftTabGoesBack) {
    for (size_t i = 1; i <= std::size(kTabOrder); ++i) {
        tabTo(kTabOrder[i % std::size(kTabOrder)]);
    }
    // Shift+Tab needs the real Shift key: typed through the system's input.
    ASSERT_TRUE(SetForegroundWindow(app_.mainWindow()));
    ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == app_.mainWindow(); }));
    INPUT keys[4] = {};
    const WORD sequence[4][2] = {
        {VK_SHIFT, 0}, {VK_TAB, 0}, {VK_TAB, KEYEVENTF_KEYUP}, {VK_SHIFT, KEYEVENTF_KEYUP}};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = sequence[i][0];
        keys[i].ki.dwFlags = sequence[i][1];
    }
    ASSERT_EQ(SendInput(4, keys, sizeof(INPUT)), 4u);
    EXPECT_TRUE(waitFor([&] { return focusedControl() == ids::kButtonExit; }))
        << "Shift+Tab from 按钮1 went to " << focusedControl();
}

TEST_F(KeyboardTest, WhileAScheduleIsPendingTabSkipsTheDisabledStartButton) {
    enterCountdown(L"0", L"5", L"0");
    pressKey(VK_SPACE);  // 按钮1 has the focus: Space clicks it
    ASSERT_TRUE(waitFor([&] { return !app_.enabled(ids::kButtonStart); }));
    EXPECT_TRUE(waitFor([&] { return focusedControl() == ids::kButtonCancel; }))
        << "the focus stayed on the disabled button";
    for (size_t i = 2; i < std::size(kTabOrder); ++i) {
        tabTo(kTabOrder[i]);
    }
    tabTo(ids::kButtonCancel);  // from 按钮3, past the disabled 按钮1
}

TEST_F(KeyboardTest, EnterOnTheStartButtonDoesNothingSpaceClicksIt) {
    enterCountdown(L"0", L"0", L"1");
    pressKey(VK_RETURN);
    // Two ticks of the clock line: time enough for a countdown of one second.
    for (int tick = 0; tick < 2; ++tick) {
        const std::wstring line = app_.text(ids::kLabel6);
        ASSERT_TRUE(waitFor([&] { return app_.text(ids::kLabel6) != line; }));
    }
    EXPECT_TRUE(app_.enabled(ids::kButtonStart));
    EXPECT_EQ(findMessageBox(app_.pid(), L"提示"), nullptr);
    EXPECT_TRUE(bench::readLog(bench::kShutdownLog).empty()) << "Enter started the countdown";

    pressKey(VK_SPACE);
    ASSERT_EQ(waitForLaunch().size(), 1u) << "Space did not click 按钮1";
}

TEST_F(KeyboardTest, AnArrowOnARadioButtonChecksTheOtherAndMovesTheFocus) {
    for (int tabs = 0; tabs < 7; ++tabs) {
        tabTo(kTabOrder[tabs + 1]);
    }
    ASSERT_EQ(focusedControl(), ids::kRadioCountdown);
    ASSERT_TRUE(checked(ids::kRadioCountdown));
    const struct {
        UINT key;
        int lands;
    } arrows[] = {{VK_RIGHT, ids::kRadioClockTime},
                  {VK_DOWN, ids::kRadioCountdown},  // wraps
                  {VK_LEFT, ids::kRadioClockTime},
                  {VK_UP, ids::kRadioCountdown}};
    for (const auto& arrow : arrows) {
        pressKey(arrow.key);
        EXPECT_TRUE(waitFor([&] {
            return focusedControl() == arrow.lands && checked(arrow.lands);
        })) << "key "
            << arrow.key;
        const int other =
            arrow.lands == ids::kRadioCountdown ? ids::kRadioClockTime : ids::kRadioCountdown;
        EXPECT_FALSE(checked(other));
    }
}

TEST_F(KeyboardTest, EscHidesTheMainWindowWhichGivesTheFocusBackWhenShown) {
    tabTo(ids::kButtonCancel);
    tabTo(ids::kComboHours);
    // Esc from a dropped-down list too.
    SendMessageW(app_.control(ids::kComboHours), CB_SHOWDROPDOWN, TRUE, 0);
    pressKey(VK_ESCAPE);
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(app_.mainWindow()); }))
        << "Esc did not hide the main window";
    EXPECT_TRUE(app_.running());

    // The tray icon's left click brings it back, with the focus where it was.
    PostMessageW(app_.mainWindow(), ids::kMsgTrayCallback, ids::kTrayIconId, WM_LBUTTONUP);
    EXPECT_TRUE(waitFor(
        [&] { return IsWindowVisible(app_.mainWindow()) && !IsIconic(app_.mainWindow()); }));
    EXPECT_TRUE(waitFor([&] { return focusedControl() == ids::kComboHours; }))
        << "the focus went to " << focusedControl();
}

TEST_F(KeyboardTest, EscClosesTheAboutWindow) {
    PostMessageW(app_.mainWindow(), WM_COMMAND, ids::kCmdAbout, 0);
    HWND about = nullptr;
    ASSERT_TRUE(waitFor([&] {
        about = FindWindowW(nullptr, L"关于");
        return about != nullptr && windowProcessId(about) == app_.pid() && IsWindowVisible(about);
    }));
    ASSERT_TRUE(waitFor([&] { return !IsWindowEnabled(app_.mainWindow()); }));
    PostMessageW(about, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(about); })) << "Esc left the About window open";
    EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(app_.mainWindow()); }));
    EXPECT_TRUE(IsWindowVisible(app_.mainWindow())) << "Esc in the About window hid the main one";
}

}  // namespace
}  // namespace tavrel::e2e
