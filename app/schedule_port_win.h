// The scheduling code's view of the main window, on the real controls.
#pragma once

#include <windows.h>

#include "platform/timer.h"
#include "schedule/schedule_port.h"

namespace tavrel::app {

// A window timer of the main window under its own identifier.
class WindowTimer final : public TimerBackend {
  public:
    WindowTimer(HWND window, UINT_PTR id) : window_(window), id_(id) {}
    void start(int periodMs) override {
        SetTimer(window_, id_, static_cast<UINT>(periodMs), nullptr);
    }
    void stop() override { KillTimer(window_, id_); }

  private:
    HWND window_;
    UINT_PTR id_;
};

class WinSchedulePort final : public SchedulePort {
  public:
    explicit WinSchedulePort(HWND mainWindow);

    std::string boxText(Box box) override;
    void setBoxText(Box box, std::string_view text) override;
    bool isChecked(Radio radio) override;
    void setChecked(Radio radio, bool checked) override;
    void enableStartButton(bool enable) override;
    void setTimerPeriod(Timer timer, int periodMs) override;
    LocalTime readClock() override;
    void showInformationBox(std::string_view message, std::string_view title) override;
    bool launchShutdown() override;
    void setClockLine(std::string_view line) override;

    TimerControl& timer(Timer timer);

  private:
    HWND control(int id) const { return GetDlgItem(window_, id); }

    HWND window_;
    WindowTimer countdownBackend_;
    WindowTimer clockWatchBackend_;
    WindowTimer clockLineBackend_;
    TimerControl countdownTimer_{countdownBackend_};
    TimerControl clockWatchTimer_{clockWatchBackend_};
    TimerControl clockLineTimer_{clockLineBackend_};
};

// The box for a combo box id, if it is one of the five.
bool boxOfControl(int id, Box* box);

}  // namespace tavrel::app
