#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_schedule_port.h"
#include "schedule/scheduler.h"

namespace tavrel {
namespace {

using testing::FakeSchedulePort;
using Strings = std::vector<std::string>;

class SchedulerTest : public ::testing::Test {
  protected:
    // Ticks 时钟1 while it runs, at most `limit` times; the number of ticks given.
    int tickCountdownUntilStopped(int limit) {
        int ticks = 0;
        while (port.countdown.running() && ticks < limit) {
            scheduler.countdownTick();
            ++ticks;
        }
        return ticks;
    }

    void expectIdle() {
        EXPECT_TRUE(port.startEnabled);
        EXPECT_FALSE(port.countdown.running());
        EXPECT_FALSE(port.clockWatch.running());
    }

    FakeSchedulePort port;
    Scheduler scheduler{port};
};

// ---- countdown -------------------------------------------------------------

struct CountdownCase {
    const char* hours;
    const char* minutes;
    const char* seconds;
    Strings afterFirstTick;  // hours, minutes, seconds
    int launchTick;
};

TEST_F(SchedulerTest, CountdownRunsTheWorkedExamplesAndLaunchesOnce) {
    const CountdownCase cases[] = {
        {"0", "0", "3", {"0", "0", "2"}, 3},
        {"0", "0", "1", {"0", "0", "0"}, 1},
        {"0", "1", "0", {"0", "0", "59"}, 60},
        {"1", "0", "0", {"0", "59", "59"}, 3600},
        {"2", "30", "15", {"2", "30", "14"}, 9015},
        {"1", "-5", "10", {"0", "59", "9"}, 3550},
        {"99", "59", "59", {"99", "59", "58"}, 359999},
        {"\xA3\xB0", "\xA3\xB1", "5x", {"0", "1", "4"}, 65},  // full-width "０", "１"
    };
    for (const CountdownCase& c : cases) {
        SCOPED_TRACE(std::string(c.hours) + "," + c.minutes + "," + c.seconds);
        FakeSchedulePort port;
        Scheduler scheduler(port);
        port.setBoxes(c.hours, c.minutes, c.seconds);

        scheduler.startSchedule();
        EXPECT_TRUE(port.informationBoxes.empty());
        EXPECT_EQ(port.countdown.period(), kTickPeriodMs);
        EXPECT_FALSE(port.startEnabled);
        EXPECT_EQ(port.countdownBoxes(), Strings({c.hours, c.minutes, c.seconds}))
            << "nothing is written before the first tick";

        scheduler.countdownTick();
        EXPECT_EQ(port.countdownBoxes(), c.afterFirstTick);
        int ticks = 1;
        while (port.countdown.running() && ticks < c.launchTick + 5) {
            EXPECT_EQ(port.launches, 0);
            scheduler.countdownTick();
            ++ticks;
        }
        EXPECT_EQ(ticks, c.launchTick);
        EXPECT_EQ(port.launches, 1);
        EXPECT_EQ(port.countdownBoxes(), Strings({"0", "0", "0"}));
        EXPECT_FALSE(port.startEnabled) << "a completed countdown stays disabled until cancel";
    }
}

TEST_F(SchedulerTest, CountdownStepBorrowsAMinuteOnlyAtExactlyZeroSeconds) {
    const struct {
        CountdownValue before, after;
    } cases[] = {
        {{0, 0, 3}, {0, 0, 2}},
        {{0, 1, 0}, {0, 0, 59}},
        {{1, 0, 0}, {0, 59, 59}},
        {{1, -5, 10}, {0, 59, 9}},
        {{0, 0, -5}, {0, 0, -6}},
        {{0, -1, 0}, {-1, 59, 59}},
        {{-1, 0, 0}, {-2, 59, 59}},
        {{0, INT32_MIN, 0}, {0, INT32_MAX, 59}},
        {{0, 0, INT32_MIN}, {0, 0, INT32_MAX}},
    };
    for (const auto& c : cases) {
        const CountdownValue after = countdownStep(c.before);
        EXPECT_TRUE(after == c.after)
            << c.before.hours << "," << c.before.minutes << "," << c.before.seconds << " -> "
            << after.hours << "," << after.minutes << "," << after.seconds;
    }
}

TEST_F(SchedulerTest, DurationsThatNeverEndAreRefusedLikeZero) {
    const struct {
        const char *hours, *minutes, *seconds;
    } refused[] = {
        {"0", "0", "0"},  {"", "", ""},     {"ab", "x", "-"},  {"0", "0", "-1"},
        {"-1", "0", "0"}, {"0", "-5", "0"}, {"0", "-5", "10"}, {"5", "5", "-5"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(std::string(c.hours) + "," + c.minutes + "," + c.seconds);
        FakeSchedulePort port;
        Scheduler scheduler(port);
        port.setBoxes(c.hours, c.minutes, c.seconds);
        scheduler.startSchedule();
        ASSERT_EQ(port.informationBoxes.size(), 1u);
        EXPECT_EQ(port.informationBoxes[0].first, "请输入大于零的时间");
        EXPECT_EQ(port.informationBoxes[0].second, "提示");
        EXPECT_TRUE(port.startEnabled);
        EXPECT_FALSE(port.countdown.running());
        EXPECT_EQ(port.countdownBoxes(), Strings({c.hours, c.minutes, c.seconds}));
    }
}

TEST_F(SchedulerTest, ExactlyTheAcceptedDurationsReachZero) {
    // Simulated against the rule: what is accepted ends, what is refused
    // (other than 0, 0, 0) is still counting after far more ticks than the
    // longest enterable duration needs.
    constexpr long long kLongestDuration = 99 * 3600 + 59 * 60 + 59;
    for (int h : {-9, -1, 0, 1, 2, 99}) {
        for (int m : {-9, -1, 0, 1, 59, 99}) {
            for (int s : {-9, -1, 0, 1, 59}) {
                CountdownValue v{h, m, s};
                if (v.isZero()) {
                    continue;
                }
                long long ticks = 0;
                do {
                    v = countdownStep(v);
                    ++ticks;
                } while (!v.isZero() && ticks <= 2 * kLongestDuration);
                EXPECT_EQ(v.isZero(), countdownEnds({h, m, s})) << h << "," << m << "," << s;
            }
        }
    }
}

TEST_F(SchedulerTest, TheCountdownGoesOnWhateverTheUserDoesMeanwhile) {
    port.setBoxes("0", "0", "5");
    scheduler.startSchedule();
    scheduler.countdownTick();
    // Typing into a box and choosing clock-time mode leave the remaining time alone.
    port.boxes[Box::Seconds] = "50";
    scheduler.onEditChanged(Box::Seconds);
    scheduler.selectClockTimeMode();
    scheduler.countdownTick();
    EXPECT_EQ(port.countdownBoxes(), Strings({"0", "0", "3"}));
    EXPECT_TRUE(port.radios[Radio::ClockTime]) << "the tick's writes do not change the mode";
    EXPECT_EQ(tickCountdownUntilStopped(10), 3);
    EXPECT_EQ(port.launches, 1);
}

TEST_F(SchedulerTest, AFailedLaunchLeavesTheLaunchedStateUntilCancel) {
    port.launchSucceeds = false;
    port.setBoxes("0", "0", "1");
    scheduler.startSchedule();
    scheduler.countdownTick();
    EXPECT_EQ(port.launches, 1);
    EXPECT_FALSE(port.countdown.running());
    EXPECT_FALSE(port.startEnabled);
    EXPECT_TRUE(port.informationBoxes.empty());
    scheduler.cancelSchedule();
    expectIdle();
}

// ---- clock-time watch --------------------------------------------------------

TEST_F(SchedulerTest, ClockTargetsAreCheckedBeforeTheWatchStarts) {
    const struct {
        const char *hour, *minute;
        const char* message;  // nullptr: the watch starts
    } cases[] = {
        {"10", "16", nullptr},
        {"10", "14", nullptr},  // fires tomorrow
        {"07", "5", nullptr},
        {"+7", "5", nullptr},
        {"\xA3\xB7", "5", nullptr},  // full-width "７"
        {"7.", "0", nullptr},
        {"", "", nullptr},  // midnight
        {"ab", "30", nullptr},
        {"10", "15", "请输入不等于现在的时间"},
        {"10.", "+15", "请输入不等于现在的时间"},
        {"24", "0", "请输入有效的时间"},
        {"99", "0", "请输入有效的时间"},
        {"-1", "0", "请输入有效的时间"},
        {"7", "60", "请输入有效的时间"},
        {"7", "-1", "请输入有效的时间"},
        {"7.5", "0", "请输入有效的时间"},
        {"7", "1e9", "请输入有效的时间"},
        {"10.5", "15", "请输入有效的时间"},  // checked before equal-to-now
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.hour) + ":" + c.minute);
        FakeSchedulePort port;
        Scheduler scheduler(port);
        port.now = {10, 15, 30};
        port.radios[Radio::Countdown] = false;
        port.radios[Radio::ClockTime] = true;
        port.boxes[Box::ClockHour] = c.hour;
        port.boxes[Box::ClockMinute] = c.minute;
        scheduler.startSchedule();
        if (c.message == nullptr) {
            EXPECT_TRUE(port.informationBoxes.empty());
            EXPECT_TRUE(port.clockWatch.running());
            EXPECT_FALSE(port.countdown.running());
            EXPECT_FALSE(port.startEnabled);
        } else {
            ASSERT_EQ(port.informationBoxes.size(), 1u);
            EXPECT_EQ(port.informationBoxes[0].first, c.message);
            EXPECT_EQ(port.informationBoxes[0].second, "提示");
            EXPECT_FALSE(port.clockWatch.running());
            EXPECT_TRUE(port.startEnabled);
        }
    }
}

TEST_F(SchedulerTest, TheWatchFiresAtTheFirstTickInTheTargetMinute) {
    port.radios[Radio::Countdown] = false;
    port.boxes[Box::ClockHour] = "10";
    port.boxes[Box::ClockMinute] = "16";
    port.now = {10, 15, 58};
    scheduler.startSchedule();
    // The boxes are read afresh at every tick: a change during the watch counts.
    port.boxes[Box::ClockMinute] = "17";
    for (LocalTime t : {LocalTime{10, 15, 59}, LocalTime{10, 16, 0}, LocalTime{10, 16, 59}}) {
        port.now = t;
        scheduler.clockTimeTick();
        EXPECT_EQ(port.launches, 0);
    }
    port.now = {10, 17, 0};
    scheduler.clockTimeTick();
    EXPECT_EQ(port.launches, 1);
    EXPECT_FALSE(port.clockWatch.running());
    EXPECT_FALSE(port.startEnabled);
    EXPECT_EQ(port.boxes[Box::ClockMinute], "17") << "a tick writes nothing";

    // During a watch no refusal applies: a target turned into the current
    // minute fires at the next tick.
    FakeSchedulePort other;
    Scheduler watcher(other);
    other.radios[Radio::Countdown] = false;
    other.boxes[Box::ClockHour] = "22";
    other.boxes[Box::ClockMinute] = "30";
    watcher.startSchedule();
    other.boxes[Box::ClockHour] = "10";
    other.boxes[Box::ClockMinute] = "15";
    watcher.clockTimeTick();
    EXPECT_EQ(other.launches, 1);
}

TEST_F(SchedulerTest, ClockMatchingToleratesOneTenMillionth) {
    EXPECT_TRUE(clockTargetMatches(7.0, 5.0, 7, 5));
    EXPECT_TRUE(clockTargetMatches(7.00000005, 4.99999995, 7, 5));
    EXPECT_FALSE(clockTargetMatches(7.0000002, 5.0, 7, 5));
    EXPECT_FALSE(clockTargetMatches(7.0, 5.5, 7, 5));
    EXPECT_FALSE(clockTargetMatches(8.0, 5.0, 7, 5));
}

TEST_F(SchedulerTest, TheMinuteIsReadOnlyWhenTheHourMatches) {
    port.radios[Radio::Countdown] = false;
    port.boxes[Box::ClockHour] = "9";
    port.boxes[Box::ClockMinute] = "0";
    port.now = {10, 15, 0};
    scheduler.startSchedule();
    const int before = port.clockReadings;
    scheduler.clockTimeTick();
    EXPECT_EQ(port.clockReadings - before, 1);
    // Hour and minute come from two readings: across an hour boundary the
    // second reading decides the minute.
    port.boxes[Box::ClockHour] = "10";
    port.boxes[Box::ClockMinute] = "59";
    port.queuedReadings = {LocalTime{10, 59, 59}, LocalTime{11, 0, 0}};
    scheduler.clockTimeTick();
    EXPECT_EQ(port.launches, 0);
}

// ---- mode selection and the clamp ----------------------------------------------

TEST_F(SchedulerTest, EditsSelectTheirRowsModeAndClampMinutesAndSeconds) {
    const struct {
        Box box;
        bool chosenFromList;
        const char* typed;
        const char* shown;
        bool countdownMode;
    } cases[] = {
        {Box::Minutes, false, "60", "59", true},     {Box::Seconds, false, "75", "59", true},
        {Box::Seconds, false, "59", "59", true},     {Box::Seconds, false, "99", "59", true},
        {Box::Seconds, false, "-5", "-5", true},     {Box::Minutes, false, "6x", "6x", true},
        {Box::Minutes, false, "x7", "x7", true},     {Box::Hours, false, "99", "99", true},
        {Box::Minutes, true, "", "", true},          {Box::Seconds, true, "75", "75", true},
        {Box::ClockHour, false, "25", "25", false},  {Box::ClockMinute, false, "99", "99", false},
        {Box::ClockMinute, true, "30", "30", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        FakeSchedulePort port;
        Scheduler scheduler(port);
        // Start from the other mode so that every selection shows.
        port.radios[Radio::Countdown] = !c.countdownMode;
        port.radios[Radio::ClockTime] = c.countdownMode;
        port.boxes[c.box] = c.typed;
        if (c.chosenFromList) {
            scheduler.onListItemChosen(c.box);
        } else {
            scheduler.onEditChanged(c.box);
        }
        EXPECT_EQ(port.boxes[c.box], c.shown);
        EXPECT_EQ(port.radios[Radio::Countdown], c.countdownMode);
        EXPECT_EQ(port.radios[Radio::ClockTime], !c.countdownMode);
    }
}

// ---- cancel and reset -----------------------------------------------------------

TEST_F(SchedulerTest, CancelReturnsToIdleFromEveryStateAndKeepsTheMode) {
    enum class State { Idle, Counting, Watching, Launched };
    for (State state : {State::Idle, State::Counting, State::Watching, State::Launched}) {
        for (bool countdownMode : {true, false}) {
            SCOPED_TRACE(static_cast<int>(state) * 2 + countdownMode);
            FakeSchedulePort port;
            Scheduler scheduler(port);
            port.now = {21, 5, 0};
            port.setBoxes("0", "4", "12");
            port.boxes[Box::ClockHour] = "22";
            port.boxes[Box::ClockMinute] = "30";
            if (state == State::Counting || state == State::Launched) {
                if (state == State::Launched) {
                    port.setBoxes("0", "0", "1");
                }
                scheduler.startSchedule();
                scheduler.countdownTick();
            } else if (state == State::Watching) {
                port.radios[Radio::Countdown] = false;
                scheduler.startSchedule();
                EXPECT_TRUE(port.clockWatch.running());
            }
            port.radios[Radio::Countdown] = countdownMode;
            port.radios[Radio::ClockTime] = !countdownMode;

            scheduler.cancelSchedule();
            EXPECT_TRUE(port.startEnabled);
            EXPECT_FALSE(port.countdown.running());
            EXPECT_FALSE(port.clockWatch.running());
            EXPECT_EQ(port.countdownBoxes(), Strings({"0", "0", "0"}));
            EXPECT_EQ(port.boxes[Box::ClockHour], "21");
            EXPECT_EQ(port.boxes[Box::ClockMinute], "5");
            EXPECT_EQ(port.radios[Radio::Countdown], countdownMode);
            EXPECT_EQ(port.radios[Radio::ClockTime], !countdownMode);
        }
    }
}

TEST_F(SchedulerTest, StartRightAfterCancelIsRefusedInEitherMode) {
    port.now = {21, 5, 0};
    scheduler.cancelSchedule();
    scheduler.startSchedule();
    port.radios[Radio::Countdown] = false;
    scheduler.startSchedule();
    ASSERT_EQ(port.informationBoxes.size(), 2u);
    EXPECT_EQ(port.informationBoxes[0].first, "请输入大于零的时间");
    EXPECT_EQ(port.informationBoxes[1].first, "请输入不等于现在的时间");
    expectIdle();
}

// ---- clock line -----------------------------------------------------------------

TEST_F(SchedulerTest, ClockLineShowsUnpaddedHourMinuteAndSecond) {
    EXPECT_EQ(clockLineText({9, 5, 3}), "现在时间：9时5分3秒");
    EXPECT_EQ(clockLineText({23, 59, 59}), "现在时间：23时59分59秒");
    EXPECT_EQ(clockLineText({0, 0, 0}), "现在时间：0时0分0秒");
    port.now = {12, 0, 7};
    scheduler.refreshClockLine();
    EXPECT_EQ(port.clockLine, "现在时间：12时0分7秒");
}

}  // namespace
}  // namespace tavrel
