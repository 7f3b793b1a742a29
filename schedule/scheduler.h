// The shutdown scheduling of the main window: mode selection, the countdown,
// the clock-time watch, cancel and reset, and the clock line. Every member is
// one handler that runs to completion on the user-interface thread.
#pragma once

#include <cstdint>

#include "schedule/schedule_port.h"

namespace tavrel {

// Texts the user sees (UTF-8).
inline constexpr const char kPromptTitle[] = "提示";
inline constexpr const char kAskPositiveDuration[] = "请输入大于零的时间";
inline constexpr const char kAskTimeOtherThanNow[] = "请输入不等于现在的时间";
inline constexpr const char kAskValidTime[] = "请输入有效的时间";

struct CountdownValue {
    int32_t hours = 0;
    int32_t minutes = 0;
    int32_t seconds = 0;

    bool isZero() const { return hours == 0 && minutes == 0 && seconds == 0; }
    friend bool operator==(const CountdownValue& a, const CountdownValue& b) {
        return a.hours == b.hours && a.minutes == b.minutes && a.seconds == b.seconds;
    }
};

// One second off the remaining time: the countdown borrows a minute when the
// seconds are exactly 0 and an hour when the minutes drop below 0.
CountdownValue countdownStep(CountdownValue value);

// True when counting down from `value` would reach 0, 0, 0: nothing negative,
// except minutes below 0 that one borrowed hour repays.
bool countdownEnds(CountdownValue value);

// A clock-time target that can occur: a whole hour 0..23 and minute 0..59.
bool isValidClockTarget(double hour, double minute);

// The hour and minute compare equal within 1e-7.
bool clockTargetMatches(double targetHour, double targetMinute, int hour, int minute);

// "现在时间：9时5分3秒".
std::string clockLineText(const LocalTime& time);

class Scheduler {
  public:
    explicit Scheduler(SchedulePort& port) : port_(port) {}
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;

    // 按钮1.
    void startSchedule();
    // 时钟1, 时钟2 and 时钟3.
    void countdownTick();
    void clockTimeTick();
    void refreshClockLine();
    // 按钮2 and the tray's "取消关机".
    void cancelSchedule();

    // The user's edits and choices in the boxes, and presses on the caption labels.
    void onEditChanged(Box box);
    void onListItemChosen(Box box);
    void selectCountdownMode();
    void selectClockTimeMode();

    // Writes the current hour and minute into the clock-time boxes.
    void writeCurrentClockTime();

    const CountdownValue& countdown() const { return countdown_; }

  private:
    void startClockTimeWatch();
    bool clockTimeIsNow();
    double boxNumber(Box box);
    void clampMinuteOrSecondBox(Box box);
    void writeCountdown();

    SchedulePort& port_;
    CountdownValue countdown_;
};

}  // namespace tavrel
