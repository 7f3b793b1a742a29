// The mode is nothing but the check state of the two radio buttons. The
// user's edits and choices in a row's boxes select that row's mode; the
// program's own writes into the boxes never reach these reactions.
#include "platform/text.h"
#include "schedule/scheduler.h"

namespace tavrel {

namespace {

bool isCountdownBox(Box box) {
    return box == Box::Hours || box == Box::Minutes || box == Box::Seconds;
}

}  // namespace

void Scheduler::selectCountdownMode() {
    port_.setChecked(Radio::Countdown, true);
    port_.setChecked(Radio::ClockTime, false);
}

void Scheduler::selectClockTimeMode() {
    port_.setChecked(Radio::Countdown, false);
    port_.setChecked(Radio::ClockTime, true);
}

void Scheduler::clampMinuteOrSecondBox(Box box) {
    if (textToInteger(port_.boxText(box)) > 59) {
        port_.setBoxText(box, "59");
    }
}

void Scheduler::onEditChanged(Box box) {
    if (box == Box::Minutes || box == Box::Seconds) {
        clampMinuteOrSecondBox(box);
    }
    onListItemChosen(box);
}

void Scheduler::onListItemChosen(Box box) {
    // Choosing from a list never clamps: the lists hold nothing above 59.
    if (isCountdownBox(box)) {
        selectCountdownMode();
    } else {
        selectClockTimeMode();
    }
}

}  // namespace tavrel
