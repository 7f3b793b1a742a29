#include "app/tab_order.h"

namespace tavrel::app {

int nextInTabOrder(const int* order, size_t count, int current, TabDirection direction,
                   const std::function<bool(int)>& canFocus) {
    if (count == 0) {
        return 0;
    }
    // Position of `current`, or one step before the walk's first entry.
    size_t position = direction == TabDirection::Forward ? count - 1 : 0;
    for (size_t i = 0; i < count; ++i) {
        if (order[i] == current) {
            position = i;
            break;
        }
    }
    for (size_t step = 1; step <= count; ++step) {
        const size_t index = direction == TabDirection::Forward
                                 ? (position + step) % count
                                 : (position + count - step % count) % count;
        if (canFocus(order[index])) {
            return order[index];
        }
    }
    return 0;
}

int firstInTabOrder(const int* order, size_t count, const std::function<bool(int)>& canFocus) {
    for (size_t i = 0; i < count; ++i) {
        if (canFocus(order[i])) {
            return order[i];
        }
    }
    return 0;
}

}  // namespace tavrel::app
