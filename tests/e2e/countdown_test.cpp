// Countdowns from the user's side: start, the boxes counting down, the launch
// of the system's shutdown command, refused inputs and exiting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ids.h"
#include "fixture.h"

namespace tavrel::e2e {
namespace {

using CountdownTest = TavrelTest;

constexpr wchar_t kShutdownCommand[] = L"shutdown -f -s -t 0";

TEST_F(CountdownTest, ThreeSecondsCountDownInTheBoxesThenLaunchTheShutdownCommand) {
    app_.enterInCombo(ids::kComboSeconds, L"3");
    ASSERT_EQ(u8(countdownBoxes()), "0,0,3");

    const unsigned long long clickedAt = bench::nowMs();
    app_.click(ids::kButtonStart);
    EXPECT_TRUE(waitFor([&] { return !app_.enabled(ids::kButtonStart); }))
        << "按钮1 stayed enabled after the start";
    for (const char* shown : {"0,0,2", "0,0,1", "0,0,0"}) {
        EXPECT_TRUE(waitFor([&] { return u8(countdownBoxes()) == shown; }))
            << "never showed " << shown << ", now " << u8(countdownBoxes());
    }

    const std::vector<bench::LogLine> launches = waitForLaunch();
    ASSERT_EQ(launches.size(), 1u) << "expected exactly one launch of the system's shutdown.exe";
    EXPECT_EQ(u8(launches[0].commandLine), u8(kShutdownCommand));
    // Three ticks of one second; the exact lateness is measured elsewhere.
    const long long afterClick = static_cast<long long>(launches[0].timeMs - clickedAt);
    EXPECT_GE(afterClick, 2000);
    EXPECT_LE(afterClick, 6000);

    // Launched: the program stays, 按钮1 stays disabled, the boxes show zeros.
    EXPECT_TRUE(app_.running());
    EXPECT_FALSE(app_.enabled(ids::kButtonStart));
    EXPECT_EQ(u8(countdownBoxes()), "0,0,0");
}

TEST_F(CountdownTest, ZeroAndEndlessDurationsAreRefusedWithTheInformationBox) {
    const struct {
        const wchar_t* hours;
        const wchar_t* minutes;
        const wchar_t* seconds;
    } refused[] = {
        {L"0", L"0", L"0"},    // all zero
        {L"", L"", L""},       // empty texts count as zero
        {L"0", L"0", L"-1"},   // negative seconds never reach zero
        {L"-1", L"0", L"0"},   // negative hours never end
        {L"0", L"-5", L"10"},  // negative minutes with no hour to borrow
    };
    const HWND main = app_.mainWindow();
    for (const auto& input : refused) {
        const std::wstring entered =
            std::wstring(input.hours) + L"," + input.minutes + L"," + input.seconds;
        SCOPED_TRACE(u8(entered));
        enterCountdown(input.hours, input.minutes, input.seconds);
        app_.click(ids::kButtonStart);

        const HWND box = app_.waitForInformationBox();
        ASSERT_NE(box, nullptr) << "no information box titled 提示";
        EXPECT_EQ(u8(windowText(box)), "提示");
        EXPECT_EQ(u8(messageBoxText(box)), "请输入大于零的时间");
        EXPECT_FALSE(IsWindowEnabled(main)) << "the box is not task-modal";

        dismissMessageBox(box);
        EXPECT_TRUE(waitFor([&] { return !IsWindow(box) && IsWindowEnabled(main); }));
        EXPECT_TRUE(app_.enabled(ids::kButtonStart)) << "a refused start disabled 按钮1";
        EXPECT_EQ(u8(countdownBoxes()), u8(entered));
    }

    // Still idle and able to start: the one launch recorded is this one's.
    enterCountdown(L"0", L"0", L"1");
    app_.click(ids::kButtonStart);
    const std::vector<bench::LogLine> launches = waitForLaunch();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(u8(launches[0].commandLine), u8(kShutdownCommand));
}

TEST_F(CountdownTest, NegativeMinutesWithAnHourToBorrowCountDownAndExitLaunchesNothing) {
    enterCountdown(L"1", L"-5", L"10");
    app_.click(ids::kButtonStart);
    EXPECT_TRUE(waitFor([&] { return u8(countdownBoxes()) == "0,59,9"; }))
        << "after the first tick: " << u8(countdownBoxes());
    EXPECT_FALSE(app_.enabled(ids::kButtonStart));
    EXPECT_EQ(findMessageBox(app_.pid(), L"提示"), nullptr);

    // 按钮3 in the middle of the count ends the program and the count with it.
    app_.click(ids::kButtonExit);
    DWORD exitCode = 1;
    ASSERT_TRUE(app_.waitForExit(kDefaultTimeoutMs, &exitCode)) << "still running";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(bench::readLog(bench::kShutdownLog).empty());
}

TEST_F(CountdownTest, ExitButtonEndsTheIdleProgramWithExitCodeZero) {
    app_.click(ids::kButtonExit);
    DWORD exitCode = 1;
    ASSERT_TRUE(app_.waitForExit(kDefaultTimeoutMs, &exitCode)) << "still running";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(bench::readLog(bench::kShutdownLog).empty());
}

}  // namespace
}  // namespace tavrel::e2e
