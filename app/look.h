// The themed look: the program draws the standard controls of its
// user-interface thread itself, in a flat look with one of three colour
// schemes.
#pragma once

namespace tavrel::app {

// The colour schemes of the themed look.
enum LookScheme : int {
    kLookBlue = 1,
    kLookOliveGreen = 2,
    kLookSilver = 3,
};

// Scheme 1, 2 or 3 draws the push buttons, check boxes, radio buttons, group
// boxes, edit fields, drop-down combo boxes with their lists and up-down
// controls of the calling thread in that scheme: those that exist now and
// those created later. Any other value switches the look off and gives every
// control its ordinary look back. Labels, menus and window frames keep their
// ordinary look. What the controls do is unchanged.
void enableThemedLook(int scheme);

}  // namespace tavrel::app
