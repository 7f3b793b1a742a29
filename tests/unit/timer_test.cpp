#include "platform/timer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrel {
namespace {

// Records what the control asks of the platform timer, as "start 1000" and "stop".
class RecordingBackend : public TimerBackend {
  public:
    void start(int periodMs) override { calls.push_back("start " + std::to_string(periodMs)); }
    void stop() override { calls.push_back("stop"); }

    std::vector<std::string> calls;
};

struct PeriodCase {
    const char* what;
    std::vector<int> periods;  // set one after the other on a new control
    std::vector<std::string> calls;
    int finalPeriod;
};

TEST(TimerControl, PeriodChangesStartAndStopThePlatformTimer) {
    const PeriodCase cases[] = {
        {"a new control is stopped", {}, {}, 0},
        {"a period above 0 starts", {1000}, {"start 1000"}, 1000},
        {"the same period again keeps the rhythm", {1000, 1000}, {"start 1000"}, 1000},
        {"a new period stops, then starts", {1000, 500}, {"start 1000", "stop", "start 500"}, 500},
        {"0 stops", {1000, 0}, {"start 1000", "stop"}, 0},
        {"a negative period stops like 0", {1000, -5}, {"start 1000", "stop"}, 0},
        {"0 on a stopped timer changes nothing", {0}, {}, 0},
        {"a negative period on a stopped timer changes nothing", {-1}, {}, 0},
        {"a negative period after 0 changes nothing", {1000, 0, -7}, {"start 1000", "stop"}, 0},
        {"restart after a stop", {1000, 0, 1000}, {"start 1000", "stop", "start 1000"}, 1000},
    };
    for (const PeriodCase& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingBackend backend;
        TimerControl timer(backend);
        for (int period : c.periods) {
            timer.setPeriod(period);
        }
        EXPECT_EQ(backend.calls, c.calls);
        EXPECT_EQ(timer.period(), c.finalPeriod);
        EXPECT_EQ(timer.running(), c.finalPeriod > 0);
    }
}

}  // namespace
}  // namespace tavrel
