// The local wall-clock time.
#pragma once

#include "schedule/schedule_port.h"

namespace tavrel::win {

// One reading of the local clock (GetLocalTime: no 32-bit seconds count, so
// no 2038 limit); the milliseconds are dropped.
LocalTime readLocalClock();

}  // namespace tavrel::win
