// A timer control: a period in milliseconds (0 means stopped) on top of a
// platform timer. Setting the period it already has leaves a running timer
// alone, so its ticks keep their rhythm.
#pragma once

namespace tavrel {

class TimerBackend {
  public:
    virtual ~TimerBackend() = default;
    // Starts the platform timer; its first tick comes one period later.
    virtual void start(int periodMs) = 0;
    virtual void stop() = 0;
};

class TimerControl {
  public:
    explicit TimerControl(TimerBackend& backend) : backend_(backend) {}
    TimerControl(const TimerControl&) = delete;
    TimerControl& operator=(const TimerControl&) = delete;

    // A negative period counts as 0.
    void setPeriod(int periodMs);
    int period() const { return period_; }
    bool running() const { return period_ > 0; }

  private:
    TimerBackend& backend_;
    int period_ = 0;
};

}  // namespace tavrel
