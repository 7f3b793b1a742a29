// The clock line of 标签6, refreshed by 时钟3 every second.
#include "platform/text.h"
#include "schedule/scheduler.h"

namespace tavrel {

std::string clockLineText(const LocalTime& time) {
    return joinTexts({"现在时间：", integerToText(time.hour), "时", integerToText(time.minute),
                      "分", integerToText(time.second), "秒"});
}

void Scheduler::refreshClockLine() {
    // Three readings of the clock, hour first.
    LocalTime time;
    time.hour = port_.readClock().hour;
    time.minute = port_.readClock().minute;
    time.second = port_.readClock().second;
    port_.setClockLine(clockLineText(time));
}

}  // namespace tavrel
