// The program from start to exit: the hidden owner window, the main window,
// the About window and the message loops.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

namespace tavrel::app {

class MainWindow;
class AboutWindow;

class Program {
  public:
    explicit Program(HINSTANCE instance);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Start-up, the message loop, and the exit code: 0 after a normal exit,
    // -1 when the main window cannot be created.
    int run();

    HINSTANCE instance() const { return instance_; }
    // The hidden window that owns every top-level window of the program, so
    // none of them has a taskbar button.
    HWND owner() const { return owner_; }

    // The modal About window; returns when it has been closed, or at once
    // when it was open already (it is then brought to the front).
    void openAboutWindow();
    // The open main window, or nullptr.
    HWND mainWindow() const;
    // The open About window, or nullptr.
    HWND aboutWindow() const;

    // The open top-level windows of the program (the hidden owner aside).
    std::vector<HWND> topLevelWindows() const;

    // Called by each window of the program once it is gone: when none is
    // left, the message loop ends.
    void windowGone();

  private:
    bool anyWindowOpen() const;
    // Runs the message loop until WM_QUIT or, for a nested loop, until
    // `keepRunning` says no more.
    void runMessageLoop(bool (*keepRunning)(const Program&), bool nested);
    bool registerClasses() const;
    HWND createOwnerWindow() const;

    HINSTANCE instance_;
    HWND owner_ = nullptr;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<AboutWindow> about_;
};

}  // namespace tavrel::app
