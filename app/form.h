// The forms of the program's windows as data: the window's frame and one row
// per control, in creation order. The creation code reads these tables.
#pragma once

#include <windows.h>

#include <cstddef>
#include <iterator>

namespace tavrel::app {

enum class ControlKind { PushButton, RadioButton, ComboBox, Label };

enum class LabelFont {
    Default,  // DEFAULT_GUI_FONT, like every other control
    Small12,  // a 12-pixel font
};

struct ControlSpec {
    int id;
    const wchar_t* name;  // the form's name of the control
    ControlKind kind;
    int left, top, width, height;
    const wchar_t* text;
    bool checked;    // radio buttons
    int lastNumber;  // combo boxes: the list holds "0" to lastNumber...
    int emptyItems;  // ...then this many empty items
    LabelFont font;
};

struct TimerSpec {
    unsigned id;
    int initialPeriodMs;  // above 0: runs from the creation of the window
};

struct FormSpec {
    const wchar_t* title;
    int width, height;  // outer size, frame and caption included
    DWORD style;
    const ControlSpec* controls;
    size_t controlCount;
    const TimerSpec* timers;
    size_t timerCount;
};

// The dropped-down list area of a combo box.
constexpr int kComboListHeight = 160;
// Characters the user may type into a combo box.
constexpr int kComboTextLimit = 2;

const FormSpec& mainForm();

// The main window's fixed Tab order, first to last.
struct TabOrder {
    const int* ids;
    size_t count;
};
TabOrder mainTabOrder();
const FormSpec& aboutForm();

// The form's row for a control id, or nullptr.
const ControlSpec* findControl(const FormSpec& form, int id);

}  // namespace tavrel::app
