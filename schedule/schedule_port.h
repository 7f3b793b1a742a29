// What the scheduling code needs from the window around it: the five combo
// boxes, the two radio buttons, the start button, the three timers, the
// clock, the information box, the command launch and the clock line. The
// Win32 shell implements it on the real controls; the unit tests on a fake.
#pragma once

#include <string>
#include <string_view>

namespace tavrel {

enum class Box {
    Hours,        // 组合框时
    Minutes,      // 组合框分
    Seconds,      // 组合框秒
    ClockHour,    // 组合框点时
    ClockMinute,  // 组合框点分
};

enum class Radio {
    Countdown,  // 单选框1
    ClockTime,  // 单选框2
};

enum class Timer {
    Countdown,   // 时钟1
    ClockWatch,  // 时钟2
    ClockLine,   // 时钟3
};

constexpr int kTickPeriodMs = 1000;

struct LocalTime {
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59
};

class SchedulePort {
  public:
    virtual ~SchedulePort() = default;

    // The box's edit text in code page 936 bytes; an absent text is "".
    virtual std::string boxText(Box box) = 0;
    // Writes the box's text (ASCII digits and signs). Raises no reaction.
    virtual void setBoxText(Box box, std::string_view text) = 0;

    virtual bool isChecked(Radio radio) = 0;
    virtual void setChecked(Radio radio, bool checked) = 0;

    // 按钮1, the start button.
    virtual void enableStartButton(bool enable) = 0;

    // Same rules as TimerControl::setPeriod.
    virtual void setTimerPeriod(Timer timer, int periodMs) = 0;

    // One fresh reading of the local wall-clock time, milliseconds dropped.
    virtual LocalTime readClock() = 0;

    // Task-modal box with an OK button; returns when it is dismissed. Texts in UTF-8.
    virtual void showInformationBox(std::string_view message, std::string_view title) = 0;

    // Starts the shutdown command; false when it could not be started.
    virtual bool launchShutdown() = 0;

    // The caption of 标签6 (UTF-8).
    virtual void setClockLine(std::string_view line) = 0;
};

}  // namespace tavrel
