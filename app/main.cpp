// Entry point of Tavrel.exe.
#include <windows.h>

#include "app/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    tavrel::app::Program program(instance);
    return program.run();
}
