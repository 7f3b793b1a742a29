// The main window's show state as one integer, and what writing it does.
// Pure logic: the shell reads IsIconic/IsZoomed/IsWindowVisible and performs
// the show command.
#pragma once

namespace tavrel::app {

enum WindowState : int {
    kStateNormal = 0,
    kStateCentred = 1,  // the first show only; never read back
    kStateMinimised = 2,
    kStateMaximised = 3,
};

enum class ShowCommand { None, ShowNormal, Minimise };

// A minimised window reads 2 even while it is hidden.
int windowStateOf(bool iconic, bool zoomed);

// Writing a state to a hidden window changes nothing on screen.
ShowCommand showCommandFor(int state, bool visible);

}  // namespace tavrel::app
