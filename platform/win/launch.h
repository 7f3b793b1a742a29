// Starting a program of the system folder.
#pragma once

#include <string_view>

namespace tavrel::win {

// Starts `program` from the system folder (never from the program's own or the
// current folder, where a planted copy could wait) with `commandLine`, and
// waits at most a second for it to become idle. False when it could not start.
bool launchSystemCommand(std::wstring_view program, std::wstring_view commandLine);

// The shutdown itself: "shutdown -f -s -t 0".
bool launchShutdownCommand();

}  // namespace tavrel::win
