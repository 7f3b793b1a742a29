// Mode selection, the clock-time watch, cancel and the clock line, from the
// user's side.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ids.h"
#include "fixture.h"

namespace tavrel::e2e {
namespace {

class ScheduleTest : public TavrelTest {
  protected:
    bool countdownModeChecked() const {
        return SendMessageW(app_.control(ids::kRadioCountdown), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    bool clockTimeModeChecked() const {
        return SendMessageW(app_.control(ids::kRadioClockTime), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void selectClockTimeModeByClick() {
        app_.click(ids::kRadioClockTime);
        ASSERT_TRUE(waitFor([&] { return clockTimeModeChecked(); }));
    }
    // A keystroke through the program's message queue, as the keyboard gives it.
    static void postKey(HWND target, UINT key) {
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    }
    // Waits until 时钟3 has ticked `ticks` times: time passing, seen by the program.
    void waitForClockTicks(int ticks) {
        std::wstring line = app_.text(ids::kLabel6);
        for (int i = 0; i < ticks; ++i) {
            ASSERT_TRUE(waitFor([&] { return app_.text(ids::kLabel6) != line; }));
            line = app_.text(ids::kLabel6);
        }
    }
    // Refuses the start with `message`, and stays idle.
    void expectRefusal(const char* message) {
        app_.click(ids::kButtonStart);
        const HWND box = app_.waitForInformationBox();
        ASSERT_NE(box, nullptr) << "no information box for " << message;
        EXPECT_EQ(u8(messageBoxText(box)), message);
        dismissMessageBox(box);
        EXPECT_TRUE(waitFor([&] { return !IsWindow(box); }));
        EXPECT_TRUE(app_.enabled(ids::kButtonStart));
    }
};

SYSTEMTIME localNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now;
}

// Waits (at most a minute) until the local clock's second lies in [from, to].
void waitForSecondBetween(int from, int to) {
    ASSERT_TRUE(waitFor(
        [&] {
            const int second = localNow().wSecond;
            return second >= from && second <= to;
        },
        70000));
}

TEST_F(ScheduleTest, TypingSelectsTheRowsModeAndMinutesAndSecondsStopAt59) {
    app_.clearCombo(ids::kComboMinutes);
    selectClockTimeModeByClick();
    app_.typeIntoCombo(ids::kComboMinutes, L"6");
    EXPECT_TRUE(countdownModeChecked()) << "typing in a countdown box selects countdown mode";
    EXPECT_FALSE(clockTimeModeChecked());
    app_.typeIntoCombo(ids::kComboMinutes, L"0");
    EXPECT_EQ(u8(app_.text(ids::kComboMinutes)), "59");

    app_.enterInCombo(ids::kComboSeconds, L"-5");
    EXPECT_EQ(u8(app_.text(ids::kComboSeconds)), "-5");
    app_.enterInCombo(ids::kComboHours, L"99");
    EXPECT_EQ(u8(app_.text(ids::kComboHours)), "99");

    app_.enterInCombo(ids::kComboClockHour, L"25");
    EXPECT_EQ(u8(app_.text(ids::kComboClockHour)), "25") << "the clock-time boxes never clamp";
    EXPECT_TRUE(clockTimeModeChecked());
    EXPECT_FALSE(countdownModeChecked());
}

TEST_F(ScheduleTest, ChoosingFromAClockTimeListWithTheKeyboardSelectsClockTimeMode) {
    ASSERT_TRUE(countdownModeChecked());
    const HWND edit = comboEdit(app_.control(ids::kComboClockMinute));
    // Open the list, go to its top, down to "30", and take it.
    postKey(edit, VK_F4);
    ASSERT_TRUE(waitFor([&] {
        return SendMessageW(app_.control(ids::kComboClockMinute), CB_GETDROPPEDSTATE, 0, 0) != 0;
    }));
    // The open list starts at the item of the box's text, the current minute.
    const int from =
        static_cast<int>(SendMessageW(app_.control(ids::kComboClockMinute), CB_GETCURSEL, 0, 0));
    for (int i = from; i != 30; i += from < 30 ? 1 : -1) {
        postKey(edit, from < 30 ? VK_DOWN : VK_UP);
    }
    postKey(edit, VK_RETURN);
    EXPECT_TRUE(waitFor([&] { return app_.text(ids::kComboClockMinute) == L"30"; }))
        << u8(app_.text(ids::kComboClockMinute));
    EXPECT_TRUE(waitFor([&] { return clockTimeModeChecked(); }));
    EXPECT_FALSE(countdownModeChecked());
}

TEST_F(ScheduleTest, ChoosingAnEmptyItemWithTheMouseLeavesTheBoxEmptyAndSelectsItsMode) {
    selectClockTimeModeByClick();
    const HWND combo = app_.control(ids::kComboSeconds);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = nullptr;
    ASSERT_TRUE(waitFor([&] {
        list = FindWindowW(L"ComboLBox", nullptr);
        while (list != nullptr && !(IsWindowVisible(list) && windowProcessId(list) == app_.pid())) {
            list = FindWindowExW(nullptr, list, L"ComboLBox", nullptr);
        }
        return list != nullptr;
    }));
    // The last item of the seconds list is empty; click it like a user.
    const int last = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)) - 1;
    ASSERT_EQ(last, 61);
    SendMessageW(list, LB_SETTOPINDEX, last, 0);
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, last, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(waitFor([&] {
        return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) == 0 && countdownModeChecked();
    }));
    EXPECT_EQ(u8(app_.text(ids::kComboSeconds)), "");
    EXPECT_FALSE(clockTimeModeChecked());
}

TEST_F(ScheduleTest, PressingTheClockTimeCaptionDuringACountdownLeavesTheCountdownRunning) {
    enterCountdown(L"0", L"0", L"2");
    app_.click(ids::kButtonStart);
    ASSERT_TRUE(waitFor([&] { return !app_.enabled(ids::kButtonStart); }));
    const HWND label = app_.control(ids::kLabel5);
    PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(waitFor([&] { return clockTimeModeChecked(); }));
    EXPECT_FALSE(countdownModeChecked());

    const std::vector<bench::LogLine> launches = waitForLaunch();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(u8(launches[0].commandLine), "shutdown -f -s -t 0");
    EXPECT_TRUE(clockTimeModeChecked()) << "the countdown's writes changed the mode";

    // And back: a press on the countdown caption selects countdown mode.
    PostMessageW(app_.control(ids::kLabel3), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(waitFor([&] { return countdownModeChecked(); }));
}

TEST_F(ScheduleTest, ATargetOneMinuteAheadLaunchesJustAfterThatMinuteBegins) {
    // Start a few seconds before a minute boundary rather than wait long after it.
    waitForSecondBetween(48, 56);
    const SYSTEMTIME now = localNow();
    const int targetMinute = (now.wMinute + 1) % 60;
    const int targetHour = targetMinute == 0 ? (now.wHour + 1) % 24 : now.wHour;
    app_.enterInCombo(ids::kComboClockHour, std::to_wstring(targetHour));
    app_.enterInCombo(ids::kComboClockMinute, std::to_wstring(targetMinute));
    ASSERT_TRUE(clockTimeModeChecked());
    app_.click(ids::kButtonStart);
    ASSERT_TRUE(waitFor([&] { return !app_.enabled(ids::kButtonStart); }));
    EXPECT_TRUE(bench::readLog(bench::kShutdownLog).empty());

    std::vector<bench::LogLine> launches;
    ASSERT_TRUE(waitFor(
        [&] {
            launches = bench::readLog(bench::kShutdownLog);
            return !launches.empty();
        },
        30000))
        << "no launch after the target minute began";
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(u8(launches[0].commandLine), "shutdown -f -s -t 0");
    // Local minutes begin with UTC minutes: the launch's place in its minute.
    const unsigned long long intoMinuteMs = launches[0].timeMs % 60000;
    EXPECT_LT(intoMinuteMs, 2500u) << "launched " << intoMinuteMs << " ms into the minute";
    EXPECT_FALSE(app_.enabled(ids::kButtonStart));
}

TEST_F(ScheduleTest, ATargetEqualToNowOrImpossibleIsRefused) {
    selectClockTimeModeByClick();
    app_.enterInCombo(ids::kComboClockHour, L"24");
    app_.enterInCombo(ids::kComboClockMinute, L"0");
    expectRefusal("请输入有效的时间");
    app_.enterInCombo(ids::kComboClockHour, L"7");
    app_.enterInCombo(ids::kComboClockMinute, L".5");
    expectRefusal("请输入有效的时间");

    // Not across a minute boundary: the target must still be "now" at the click.
    waitForSecondBetween(0, 50);
    const SYSTEMTIME now = localNow();
    app_.enterInCombo(ids::kComboClockHour, std::to_wstring(now.wHour));
    app_.enterInCombo(ids::kComboClockMinute, std::to_wstring(now.wMinute));
    expectRefusal("请输入不等于现在的时间");
    EXPECT_TRUE(bench::readLog(bench::kShutdownLog).empty());
}

TEST_F(ScheduleTest, CancelStopsACountdownAndResetsEveryBoxKeepingTheMode) {
    enterCountdown(L"0", L"1", L"0");
    app_.click(ids::kButtonStart);
    ASSERT_TRUE(waitFor([&] { return u8(countdownBoxes()) == "0,0,59"; }));
    app_.enterInCombo(ids::kComboClockMinute, L"99");  // clock-time mode, a stale text
    ASSERT_TRUE(clockTimeModeChecked());

    waitForSecondBetween(0, 55);
    app_.click(ids::kButtonCancel);
    EXPECT_TRUE(waitFor([&] { return app_.enabled(ids::kButtonStart); }));
    EXPECT_EQ(u8(countdownBoxes()), "0,0,0");
    const SYSTEMTIME now = localNow();
    EXPECT_EQ(app_.text(ids::kComboClockHour), std::to_wstring(now.wHour));
    EXPECT_EQ(app_.text(ids::kComboClockMinute), std::to_wstring(now.wMinute));
    EXPECT_TRUE(clockTimeModeChecked()) << "cancel changed the mode";

    // The countdown no longer ticks.
    waitForClockTicks(2);
    EXPECT_EQ(u8(countdownBoxes()), "0,0,0");
    EXPECT_TRUE(bench::readLog(bench::kShutdownLog).empty());
}

TEST_F(ScheduleTest, TheClockLineFollowsTheLocalTime) {
    waitForClockTicks(1);
    const SYSTEMTIME now = localNow();
    const std::wstring line = app_.text(ids::kLabel6);
    // The line may lag the clock by up to a tick; compare with the seconds around now.
    bool matched = false;
    for (int back = 0; back <= 2 && !matched; ++back) {
        const int total =
            (now.wHour * 3600 + now.wMinute * 60 + now.wSecond - back + 86400) % 86400;
        const std::wstring expected = L"现在时间：" + std::to_wstring(total / 3600) + L"时" +
                                      std::to_wstring(total / 60 % 60) + L"分" +
                                      std::to_wstring(total % 60) + L"秒";
        matched = line == expected;
    }
    EXPECT_TRUE(matched) << u8(line);
    waitForClockTicks(1);
    EXPECT_NE(app_.text(ids::kLabel6), line) << "the clock line is not refreshed";
}

}  // namespace
}  // namespace tavrel::e2e
