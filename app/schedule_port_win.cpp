#include "app/schedule_port_win.h"

#include "app/controls.h"
#include "app/ids.h"
#include "platform/win/clock.h"
#include "platform/win/information_box.h"
#include "platform/win/launch.h"
#include "platform/win/wide_text.h"

namespace tavrel::app {

namespace {

int controlOf(Box box) {
    switch (box) {
        case Box::Hours: return ids::kComboHours;
        case Box::Minutes: return ids::kComboMinutes;
        case Box::Seconds: return ids::kComboSeconds;
        case Box::ClockHour: return ids::kComboClockHour;
        case Box::ClockMinute: return ids::kComboClockMinute;
    }
    return 0;
}

int controlOf(Radio radio) {
    return radio == Radio::Countdown ? ids::kRadioCountdown : ids::kRadioClockTime;
}

}  // namespace

bool boxOfControl(int id, Box* box) {
    for (Box candidate :
         {Box::Hours, Box::Minutes, Box::Seconds, Box::ClockHour, Box::ClockMinute}) {
        if (controlOf(candidate) == id) {
            *box = candidate;
            return true;
        }
    }
    return false;
}

WinSchedulePort::WinSchedulePort(HWND mainWindow)
    : window_(mainWindow),
      countdownBackend_(mainWindow, ids::kTimerCountdown),
      clockWatchBackend_(mainWindow, ids::kTimerClockWatch),
      clockLineBackend_(mainWindow, ids::kTimerClockLine) {}

std::string WinSchedulePort::boxText(Box box) {
    // The number parsers read code page 936 bytes, whatever the system's code page.
    return win::wideToCp936(Control(control(controlOf(box))).text());
}

void WinSchedulePort::setBoxText(Box box, std::string_view text) {
    // Setting the combo box's own text raises no edit-change notification.
    Control(control(controlOf(box))).setText(win::utf8ToWide(text));
}

bool WinSchedulePort::isChecked(Radio radio) {
    return Button(control(controlOf(radio))).checked();
}

void WinSchedulePort::setChecked(Radio radio, bool checked) {
    Button(control(controlOf(radio))).setChecked(checked);
}

void WinSchedulePort::enableStartButton(bool enable) {
    const Button start(control(ids::kButtonStart));
    if (!enable && start.hasFocus()) {
        // A disabled button cannot keep the focus: hand it to 取消, the next
        // thing the user is likely to want.
        Button(control(ids::kButtonCancel)).focus();
    }
    start.enable(enable);
}

TimerControl& WinSchedulePort::timer(Timer timer) {
    switch (timer) {
        case Timer::Countdown: return countdownTimer_;
        case Timer::ClockWatch: return clockWatchTimer_;
        case Timer::ClockLine: break;
    }
    return clockLineTimer_;
}

void WinSchedulePort::setTimerPeriod(Timer which, int periodMs) {
    timer(which).setPeriod(periodMs);
}

LocalTime WinSchedulePort::readClock() {
    return win::readLocalClock();
}

void WinSchedulePort::showInformationBox(std::string_view message, std::string_view title) {
    win::showInformationBox(win::utf8ToWide(message), win::utf8ToWide(title));
}

bool WinSchedulePort::launchShutdown() {
    return win::launchShutdownCommand();
}

void WinSchedulePort::setClockLine(std::string_view line) {
    Control(control(ids::kLabel6)).setText(win::utf8ToWide(line));
}

}  // namespace tavrel::app
