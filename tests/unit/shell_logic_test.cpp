// The shell's pure rules: the Tab walk, the tray's mouse messages and the
// window state.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "app/tab_order.h"
#include "app/tray_events.h"
#include "app/window_state.h"

namespace tavrel::app {
namespace {

// The main window's order, by name.
enum : int { B1 = 1, B2, Hours, Minutes, Seconds, ClockMinute, ClockHour, R1, R2, B3 };
constexpr int kOrder[] = {B1, B2, Hours, Minutes, Seconds, ClockMinute, ClockHour, R1, R2, B3};

std::vector<int> walk(int from, TabDirection direction, int steps, const std::set<int>& disabled) {
    std::vector<int> visited;
    int current = from;
    for (int i = 0; i < steps; ++i) {
        current = nextInTabOrder(kOrder, std::size(kOrder), current, direction,
                                 [&](int id) { return disabled.count(id) == 0; });
        visited.push_back(current);
    }
    return visited;
}

TEST(TabOrder, WalksForwardAndBackwardWrappingAndSkippingWhatCannotTakeTheFocus) {
    EXPECT_EQ(
        walk(B1, TabDirection::Forward, 10, {}),
        (std::vector<int>{B2, Hours, Minutes, Seconds, ClockMinute, ClockHour, R1, R2, B3, B1}));
    EXPECT_EQ(walk(B1, TabDirection::Backward, 3, {}), (std::vector<int>{B3, R2, R1}));
    // While a schedule is pending 按钮1 drops out.
    EXPECT_EQ(walk(B3, TabDirection::Forward, 2, {B1}), (std::vector<int>{B2, Hours}));
    EXPECT_EQ(walk(B2, TabDirection::Backward, 1, {B1}), (std::vector<int>{B3}));
    // From outside the order (the window itself) the walk starts at either end.
    EXPECT_EQ(walk(0, TabDirection::Forward, 1, {}), (std::vector<int>{B1}));
    EXPECT_EQ(walk(0, TabDirection::Backward, 1, {B3}), (std::vector<int>{R2}));
    // The only control left comes back to itself; none at all gives 0.
    std::set<int> allButR1(std::begin(kOrder), std::end(kOrder));
    allButR1.erase(R1);
    EXPECT_EQ(walk(R1, TabDirection::Forward, 1, allButR1), (std::vector<int>{R1}));
    allButR1.insert(R1);
    EXPECT_EQ(walk(R1, TabDirection::Forward, 1, allButR1), (std::vector<int>{0}));
    EXPECT_EQ(firstInTabOrder(kOrder, std::size(kOrder), [](int id) { return id != B1; }), B2);
}

TEST(TrayEvents, OnlyLeftUpLeftDoubleClickRightUpAndContextMenuMeanSomething) {
    const struct {
        unsigned message;
        TrayEvent event;
    } cases[] = {
        {0x0202, TrayEvent::LeftClick},
        {0x0203, TrayEvent::LeftDoubleClick},
        {0x0205, TrayEvent::Menu},
        {0x007B, TrayEvent::Menu},
        {0x0200, TrayEvent::None} /* move */,
        {0x0201, TrayEvent::None} /* left down */,
        {0x0204, TrayEvent::None},
        {0x0206, TrayEvent::None} /* right dbl */,
        {0x0207, TrayEvent::None},
        {0x0208, TrayEvent::None},
        {0x0209, TrayEvent::None} /* middle dbl */,
        {0x0400, TrayEvent::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(trayEventOf(c.message), c.event) << std::hex << c.message;
    }
}

TEST(WindowState, ReadsAndWritesTheShowState) {
    EXPECT_EQ(windowStateOf(false, false), kStateNormal);
    EXPECT_EQ(windowStateOf(true, false), kStateMinimised);
    EXPECT_EQ(windowStateOf(true, true), kStateMinimised);
    EXPECT_EQ(windowStateOf(false, true), kStateMaximised);

    EXPECT_EQ(showCommandFor(kStateNormal, true), ShowCommand::ShowNormal);
    EXPECT_EQ(showCommandFor(kStateMinimised, true), ShowCommand::Minimise);
    EXPECT_EQ(showCommandFor(kStateMaximised, true), ShowCommand::None);
    EXPECT_EQ(showCommandFor(kStateCentred, true), ShowCommand::None);
    // A hidden window is left alone whatever is written.
    EXPECT_EQ(showCommandFor(kStateNormal, false), ShowCommand::None);
    EXPECT_EQ(showCommandFor(kStateMinimised, false), ShowCommand::None);
}

}  // namespace
}  // namespace tavrel::app
