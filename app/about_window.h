// The About window: the author and contact lines, opened modal from the tray.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "platform/win/handles.h"

namespace tavrel::app {

class Program;

class AboutWindow {
  public:
    explicit AboutWindow(Program& program) : program_(program) {}
    ~AboutWindow();
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    static bool registerClass(HINSTANCE instance);

    // Creates and shows the window, then disables every other top-level
    // window of the program, remembering how each one was.
    bool create();
    HWND hwnd() const { return hwnd_; }
    bool open() const { return hwnd_ != nullptr; }
    // Restores it if minimised, else activates it.
    void bringToFront() const;

  private:
    template <typename Window>
    friend LRESULT CALLBACK objectWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT msgClose();
    LRESULT msgNcDestroy();

    void disableOtherWindows();
    void reenableOtherWindows();

    Program& program_;
    HWND hwnd_ = nullptr;
    win::UniqueIcon icon_;
    // The windows that opening this one disabled, each with its earlier state.
    std::vector<std::pair<HWND, bool>> disabled_;
};

}  // namespace tavrel::app
