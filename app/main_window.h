// The main window: its form, its handlers, the tray icon and the rules that
// send it into the notification area instead of closing it.
#pragma once

#include <windows.h>

#include <memory>

#include "app/schedule_port_win.h"
#include "app/tray.h"
#include "platform/win/handles.h"
#include "schedule/scheduler.h"

namespace tavrel::app {

class Program;

class MainWindow {
  public:
    explicit MainWindow(Program& program);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    static bool registerClass(HINSTANCE instance);

    // Creates the window and its controls, runs the created handler and
    // shows it centred. False when the window could not be created.
    bool create();
    HWND hwnd() const { return hwnd_; }
    bool open() const { return hwnd_ != nullptr; }

  private:
    template <typename Window>
    friend LRESULT CALLBACK objectWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void mainWindowCreated();

    LRESULT msgCommand(int id, int code);
    LRESULT msgTimer(UINT_PTR id);
    LRESULT msgActivate(WPARAM wParam);
    LRESULT msgSetFocus();
    LRESULT msgMoveOrSize(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT msgClose();
    LRESULT msgQueryEndSession(WPARAM wParam, LPARAM lParam);
    LRESULT msgTrayCallback(LPARAM lParam);
    LRESULT msgListItemChosen(int id);
    LRESULT msgDeferredDestroy();
    LRESULT msgDestroy();
    LRESULT msgNcDestroy();
    LRESULT msgTaskbarCreated();

    void destroyMainWindow();
    void showMainWindow();
    void bringToFront();
    void hideWhenMinimised();
    void onCloseRequest();
    void setWindowVisible(bool visible);
    void setWindowState(int state);
    int getWindowState() const;

    Program& program_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<WinSchedulePort> port_;
    std::unique_ptr<Scheduler> scheduler_;
    win::UniqueIcon icon_;
    win::UniqueFont smallFont_;
    TrayIcon tray_;
    HWND lastFocus_ = nullptr;
    bool destroyPending_ = false;
    UINT taskbarCreated_ = 0;
};

// The program's icon at its own size (64 x 64); the caller owns it.
win::UniqueIcon loadProgramIcon(HINSTANCE instance);

}  // namespace tavrel::app
