// The walk through a window's fixed Tab order. Pure logic: the shell says
// which controls can take the focus (visible, enabled, tab stop).
#pragma once

#include <cstddef>
#include <functional>

namespace tavrel::app {

enum class TabDirection { Forward, Backward };

// The control after (or before) `current` in `order` that `canFocus`,
// wrapping around; `current` may be absent from the order (then the walk
// starts at the first or last entry). 0 when no control can take the focus.
int nextInTabOrder(const int* order, size_t count, int current, TabDirection direction,
                   const std::function<bool(int)>& canFocus);

// The first control of the order that can take the focus, or 0.
int firstInTabOrder(const int* order, size_t count, const std::function<bool(int)>& canFocus);

}  // namespace tavrel::app
