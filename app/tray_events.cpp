#include "app/tray_events.h"

namespace tavrel::app {

namespace {

// The window messages the shell passes on from the icon.
constexpr unsigned kLeftButtonUp = 0x0202;
constexpr unsigned kLeftButtonDoubleClick = 0x0203;
constexpr unsigned kRightButtonUp = 0x0205;
constexpr unsigned kContextMenu = 0x007B;

}  // namespace

TrayEvent trayEventOf(unsigned mouseMessage) {
    switch (mouseMessage) {
        case kLeftButtonUp: return TrayEvent::LeftClick;
        case kLeftButtonDoubleClick: return TrayEvent::LeftDoubleClick;
        case kRightButtonUp:
        case kContextMenu: return TrayEvent::Menu;
        default: return TrayEvent::None;
    }
}

}  // namespace tavrel::app
