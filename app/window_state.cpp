#include "app/window_state.h"

namespace tavrel::app {

int windowStateOf(bool iconic, bool zoomed) {
    if (iconic) {
        return kStateMinimised;
    }
    return zoomed ? kStateMaximised : kStateNormal;
}

ShowCommand showCommandFor(int state, bool visible) {
    if (!visible) {
        return ShowCommand::None;
    }
    switch (state) {
        case kStateNormal: return ShowCommand::ShowNormal;
        case kStateMinimised: return ShowCommand::Minimise;
        default: return ShowCommand::None;
    }
}

}  // namespace tavrel::app
