// The countdown: 按钮1 in countdown mode starts 时钟1, and every tick takes one
// second off the remaining time until 0, 0, 0 launches the shutdown.
#include <cstdint>

#include "platform/text.h"
#include "schedule/scheduler.h"

namespace tavrel {

namespace {

// Decrement that wraps like the 32-bit integers the user's values are read into.
int32_t decremented(int32_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(value) - 1u);
}

}  // namespace

CountdownValue countdownStep(CountdownValue value) {
    if (value.seconds == 0) {
        value.minutes = decremented(value.minutes);
        value.seconds = 60;
    }
    value.seconds = decremented(value.seconds);
    if (value.minutes < 0) {
        value.hours = decremented(value.hours);
        value.minutes = 59;
    }
    return value;
}

bool countdownEnds(CountdownValue value) {
    // Negative seconds never come back to 0 (a minute is borrowed only at
    // exactly 0), negative hours only go further down, and negative minutes
    // borrow an hour that must be there.
    if (value.seconds < 0 || value.hours < 0) {
        return false;
    }
    return !(value.minutes < 0 && value.hours == 0);
}

void Scheduler::startSchedule() {
    // The boxes are read on every press, whatever the mode.
    countdown_.seconds = textToInteger(port_.boxText(Box::Seconds));
    countdown_.minutes = textToInteger(port_.boxText(Box::Minutes));
    countdown_.hours = textToInteger(port_.boxText(Box::Hours));

    if (!port_.isChecked(Radio::Countdown)) {
        startClockTimeWatch();
        return;
    }
    if (countdown_.isZero() || !countdownEnds(countdown_)) {
        port_.showInformationBox(kAskPositiveDuration, kPromptTitle);
        return;
    }
    port_.setTimerPeriod(Timer::Countdown, kTickPeriodMs);
    port_.enableStartButton(false);
}

void Scheduler::countdownTick() {
    countdown_ = countdownStep(countdown_);
    writeCountdown();
    if (countdown_.isZero()) {
        port_.setTimerPeriod(Timer::Countdown, 0);
        port_.launchShutdown();  // a failed launch stays silent; cancel re-arms
    }
}

void Scheduler::writeCountdown() {
    port_.setBoxText(Box::Seconds, integerToText(countdown_.seconds));
    port_.setBoxText(Box::Minutes, integerToText(countdown_.minutes));
    port_.setBoxText(Box::Hours, integerToText(countdown_.hours));
}

}  // namespace tavrel
