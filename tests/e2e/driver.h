// A small driver for Tavrel.exe under Wine: starts the program, finds its
// windows and controls, reads them, and types and clicks like a user.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "bench.h"

namespace tavrel::e2e {

using bench::UniqueHandle;

// Generous: Wine under load can be slow to start a process or show a window.
constexpr DWORD kDefaultTimeoutMs = 15000;

// Polls the condition every 20 ms until it holds (true) or the time-out passes
// (false). The condition is checked once more at the deadline.
bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs = kDefaultTimeoutMs);

// Tavrel.exe to test: the environment variable TAVREL_EXE (a Windows path) if
// set, else the build's own executable.
std::wstring tavrelExePath();
// The planted fake (a shutdown.exe that writes the planted log).
std::wstring plantedShutdownPath();
// "/a/b" -> "Z:\a\b" (Wine maps Z: to the Unix root).
std::wstring windowsPathOfUnixPath(const std::string& unixPath);

// Window facts, read from another process.
std::wstring windowText(HWND window);  // WM_GETTEXT
std::wstring className(HWND window);
LONG_PTR style(HWND window);
LONG_PTR exStyle(HWND window);
DWORD windowProcessId(HWND window);
RECT outerRect(HWND window);                      // screen coordinates
RECT rectInClientOf(HWND window, HWND ancestor);  // relative to the ancestor's client area
int width(const RECT& r);
int height(const RECT& r);

// A combo box's list items (CB_GETCOUNT, CB_GETLBTEXT).
std::vector<std::wstring> comboItems(HWND combo);
// The Edit child of a drop-down combo box.
HWND comboEdit(HWND combo);

// The task-modal information box of a process: a dialog ("#32770") with the
// given title. Null when there is none.
HWND findMessageBox(DWORD pid, const wchar_t* title);
// The message of a message box: the text of its Static child that has one.
std::wstring messageBoxText(HWND box);
// Clicks the box's OK button.
void dismissMessageBox(HWND box);

// One Tavrel.exe process. Ends the process when destroyed if it still runs.
class TavrelProcess {
  public:
    TavrelProcess() = default;
    ~TavrelProcess();
    TavrelProcess(const TavrelProcess&) = delete;
    TavrelProcess& operator=(const TavrelProcess&) = delete;

    // Starts the executable and waits until its main window is shown and the
    // program waits for input. On failure returns false with the reason in *error.
    bool start(const std::wstring& exePath, std::wstring* error);

    HWND mainWindow() const { return main_; }
    HWND control(int id) const { return GetDlgItem(main_, id); }
    DWORD pid() const { return pid_; }
    DWORD threadId() const { return threadId_; }

    bool running() const;
    // Waits for the process to end; true with its exit code when it did.
    bool waitForExit(DWORD timeoutMs, DWORD* exitCode) const;
    // Ends the process at once if it still runs.
    void kill();

    std::wstring text(int id) const { return windowText(control(id)); }
    bool enabled(int id) const { return IsWindowEnabled(control(id)) != FALSE; }
    // The keyboard focus of the program's thread (GetGUIThreadInfo).
    HWND focus() const;

    // Empties a combo box's field like a user (select all, delete).
    void clearCombo(int id) const;
    // Types the characters into a combo box's field (WM_CHAR to its Edit child).
    void typeIntoCombo(int id, const std::wstring& characters) const;
    // clearCombo, then typeIntoCombo.
    void enterInCombo(int id, const std::wstring& characters) const;
    // Posts BM_CLICK to a button.
    void click(int id) const;

    // The program's visible pop-up menu ("#32768"), or null.
    HWND popUpMenu() const;
    // Waits for one tick of the clock line 标签6: time passing, as the
    // program sees it, and a point where it has handled what came before.
    void waitForClockTick() const;

    // The information box of this process titled "提示", once it is up.
    HWND waitForInformationBox(DWORD timeoutMs = kDefaultTimeoutMs) const;

  private:
    UniqueHandle process_;
    DWORD pid_ = 0;
    DWORD threadId_ = 0;
    HWND main_ = nullptr;
};

}  // namespace tavrel::e2e
