#include "platform/timer.h"

namespace tavrel {

void TimerControl::setPeriod(int periodMs) {
    if (periodMs < 0) {
        periodMs = 0;
    }
    if (periodMs == period_) {
        return;
    }
    if (period_ > 0) {
        backend_.stop();
    }
    period_ = periodMs;
    if (period_ > 0) {
        backend_.start(period_);
    }
}

}  // namespace tavrel
