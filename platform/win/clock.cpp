#include "platform/win/clock.h"

#include <windows.h>

namespace tavrel::win {

LocalTime readLocalClock() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    LocalTime time;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    return time;
}

}  // namespace tavrel::win
