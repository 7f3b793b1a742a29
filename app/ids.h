// Identifiers of the main window's controls, timers, private messages and
// menu commands, and the window titles. Shared with the end-to-end test driver.
#pragma once

namespace tavrel::ids {

// Controls of the main window (the names in comments are the form's names).
enum ControlId : int {
    kButtonStart = 101,       // 按钮1 "关机"
    kButtonCancel = 102,      // 按钮2 "取消"
    kButtonExit = 103,        // 按钮3 "退出"
    kRadioCountdown = 111,    // 单选框1
    kRadioClockTime = 112,    // 单选框2
    kComboHours = 121,        // 组合框时
    kComboMinutes = 122,      // 组合框分
    kComboSeconds = 123,      // 组合框秒
    kComboClockHour = 124,    // 组合框点时
    kComboClockMinute = 125,  // 组合框点分
    kLabel1 = 131,            // 标签1 "分"
    kLabel2 = 132,            // 标签2 "秒"
    kLabel3 = 133,            // 标签3 "按多长时间后"
    kLabel4 = 134,            // 标签4 "时"
    kLabel5 = 135,            // 标签5 "按具体时间点"
    kLabel6 = 136,            // 标签6, the clock line
    kLabel9 = 139,            // 标签9 "时"
    kLabel10 = 140,           // 标签10 "分"
};

// Controls of the About window.
enum AboutControlId : int {
    kAboutAuthor = 201,   // 标签1 of the About window
    kAboutContact = 202,  // 标签2 of the About window
};

// Timers of the main window.
enum TimerId : unsigned {
    kTimerCountdown = 1,   // 时钟1
    kTimerClockWatch = 2,  // 时钟2
    kTimerClockLine = 3,   // 时钟3
};

// Private messages of the main window (WM_APP is 0x8000).
constexpr unsigned kMsgTrayCallback = 0x8000 + 100;  // the tray icon's callback
constexpr unsigned kMsgDeferredDestroy = 0x8000 + 101;
constexpr unsigned kMsgListItemChosen = 0x8000 + 102;  // wParam: the combo box's id

// Commands of the tray menu 托盘菜单: 20000 plus the entry's position.
enum MenuCommand : unsigned {
    kCmdHide = 20001,    // "隐藏软件"
    kCmdShow = 20002,    // "显示软件"
    kCmdCancel = 20003,  // "取消关机"
    kCmdAbout = 20004,   // "关于"
    kCmdExit = 20005,    // "退出软件"
};

constexpr unsigned kTrayIconId = 100;

constexpr const wchar_t kMainWindowTitle[] = L"Tavrel v1.1";
constexpr const wchar_t kAboutWindowTitle[] = L"关于";
constexpr const wchar_t kMainWindowClass[] = L"TavrelMainWindow";
constexpr const wchar_t kAboutWindowClass[] = L"TavrelAboutWindow";
constexpr const wchar_t kOwnerWindowClass[] = L"TavrelOwnerWindow";
constexpr const wchar_t kLabelClass[] = L"TavrelLabel";

}  // namespace tavrel::ids
