// A main window made of plain values, for driving the Scheduler in tests.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/timer.h"
#include "schedule/schedule_port.h"

namespace tavrel::testing {

class CountingBackend : public TimerBackend {
  public:
    void start(int) override { ++starts; }
    void stop() override { ++stops; }
    int starts = 0;
    int stops = 0;
};

class FakeSchedulePort : public SchedulePort {
  public:
    FakeSchedulePort() {
        for (Box box : {Box::Hours, Box::Minutes, Box::Seconds, Box::ClockHour, Box::ClockMinute}) {
            boxes[box] = "0";
        }
        radios[Radio::Countdown] = true;
        radios[Radio::ClockTime] = false;
    }

    std::string boxText(Box box) override { return boxes[box]; }
    void setBoxText(Box box, std::string_view text) override { boxes[box] = std::string(text); }
    bool isChecked(Radio radio) override { return radios[radio]; }
    void setChecked(Radio radio, bool checked) override { radios[radio] = checked; }
    void enableStartButton(bool enable) override { startEnabled = enable; }
    void setTimerPeriod(Timer timer, int periodMs) override { timerOf(timer).setPeriod(periodMs); }
    // Each reading takes the next queued time, or `now` when none is queued.
    LocalTime readClock() override {
        ++clockReadings;
        if (queuedReadings.empty()) {
            return now;
        }
        LocalTime next = queuedReadings.front();
        queuedReadings.pop_front();
        return next;
    }
    void showInformationBox(std::string_view message, std::string_view title) override {
        informationBoxes.emplace_back(message, title);
    }
    bool launchShutdown() override {
        ++launches;
        return launchSucceeds;
    }
    void setClockLine(std::string_view line) override { clockLine = std::string(line); }

    TimerControl& timerOf(Timer timer) {
        switch (timer) {
            case Timer::Countdown: return countdown;
            case Timer::ClockWatch: return clockWatch;
            case Timer::ClockLine: break;
        }
        return clockLineTimer;
    }

    void setBoxes(const char* hours, const char* minutes, const char* seconds) {
        boxes[Box::Hours] = hours;
        boxes[Box::Minutes] = minutes;
        boxes[Box::Seconds] = seconds;
    }
    std::vector<std::string> countdownBoxes() {
        return {boxes[Box::Hours], boxes[Box::Minutes], boxes[Box::Seconds]};
    }

    std::map<Box, std::string> boxes;
    std::map<Radio, bool> radios;
    bool startEnabled = true;
    LocalTime now{10, 15, 30};
    std::deque<LocalTime> queuedReadings;
    int clockReadings = 0;
    std::vector<std::pair<std::string, std::string>> informationBoxes;
    int launches = 0;
    bool launchSucceeds = true;
    std::string clockLine;

    CountingBackend countdownBackend, clockWatchBackend, clockLineBackend;
    TimerControl countdown{countdownBackend};
    TimerControl clockWatch{clockWatchBackend};
    TimerControl clockLineTimer{clockLineBackend};
};

}  // namespace tavrel::testing
