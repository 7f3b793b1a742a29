// The clock-time watch: 按钮1 in clock-time mode starts 时钟2, and the first
// tick whose clock reading lies in the target minute launches the shutdown.
// The target is never stored: every look reads the two boxes afresh.
#include <cmath>

#include "platform/text.h"
#include "schedule/scheduler.h"

namespace tavrel {

namespace {

constexpr double kTolerance = 1e-7;

bool isWholeNumberIn(double value, int low, int high) {
    return value >= low && value <= high && std::floor(value) == value;
}

}  // namespace

bool isValidClockTarget(double hour, double minute) {
    return isWholeNumberIn(hour, 0, 23) && isWholeNumberIn(minute, 0, 59);
}

bool clockTargetMatches(double targetHour, double targetMinute, int hour, int minute) {
    return !(std::fabs(hour - targetHour) > kTolerance) &&
           !(std::fabs(minute - targetMinute) > kTolerance);
}

double Scheduler::boxNumber(Box box) {
    return textToNumber(port_.boxText(box));
}

bool Scheduler::clockTimeIsNow() {
    // Hour and minute come from two readings of the clock; the minute is not
    // looked at when the hour already differs.
    const double targetHour = boxNumber(Box::ClockHour);
    if (std::fabs(port_.readClock().hour - targetHour) > kTolerance) {
        return false;
    }
    const double targetMinute = boxNumber(Box::ClockMinute);
    return !(std::fabs(port_.readClock().minute - targetMinute) > kTolerance);
}

void Scheduler::startClockTimeWatch() {
    // A target that can never occur would leave a pending shutdown that never comes.
    if (!isValidClockTarget(boxNumber(Box::ClockHour), boxNumber(Box::ClockMinute))) {
        port_.showInformationBox(kAskValidTime, kPromptTitle);
        return;
    }
    if (clockTimeIsNow()) {
        port_.showInformationBox(kAskTimeOtherThanNow, kPromptTitle);
        return;
    }
    port_.setTimerPeriod(Timer::ClockWatch, kTickPeriodMs);
    port_.enableStartButton(false);
}

void Scheduler::clockTimeTick() {
    if (clockTimeIsNow()) {
        port_.setTimerPeriod(Timer::ClockWatch, 0);
        port_.launchShutdown();
    }
}

}  // namespace tavrel
