// Cancel and reset: back to idle from any state, the mode left as it was.
#include "platform/text.h"
#include "schedule/scheduler.h"

namespace tavrel {

void Scheduler::cancelSchedule() {
    port_.enableStartButton(true);
    port_.setTimerPeriod(Timer::Countdown, 0);
    port_.setTimerPeriod(Timer::ClockWatch, 0);
    port_.setBoxText(Box::Hours, "0");
    port_.setBoxText(Box::Minutes, "0");
    port_.setBoxText(Box::Seconds, "0");
    writeCurrentClockTime();
}

void Scheduler::writeCurrentClockTime() {
    // Hour and minute each from a reading of their own, unpadded.
    port_.setBoxText(Box::ClockHour, integerToText(port_.readClock().hour));
    port_.setBoxText(Box::ClockMinute, integerToText(port_.readClock().minute));
}

}  // namespace tavrel
