#include "app/form.h"

#include "app/ids.h"
#include "app/about_texts.h"

namespace tavrel::app {

namespace {

using namespace tavrel::ids;

constexpr DWORD kFixedFrame = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

// clang-format off
constexpr ControlSpec kMainControls[] = {
    // id                 name           kind                      left top  w    h    text              checked last empty font
    {kButtonStart,      L"按钮1",     ControlKind::PushButton,  34, 147,  55, 30, L"关机",         false,  0, 0, LabelFont::Default},
    {kLabel1,           L"标签1",     ControlKind::Label,      174,  29,  32, 24, L"分",           false,  0, 0, LabelFont::Small12},
    {kLabel2,           L"标签2",     ControlKind::Label,      244,  29,  28, 24, L"秒",           false,  0, 0, LabelFont::Small12},
    {kLabel3,           L"标签3",     ControlKind::Label,       59,   3,  72, 24, L"按多长时间后", false,  0, 0, LabelFont::Default},
    {kButtonCancel,     L"按钮2",     ControlKind::PushButton, 113, 147,  55, 30, L"取消",         false,  0, 0, LabelFont::Default},
    {kLabel4,           L"标签4",     ControlKind::Label,      103,  28,  24, 24, L"时",           false,  0, 0, LabelFont::Default},
    {kComboHours,       L"组合框时",  ControlKind::ComboBox,    59,  31,  40, 20, L"0",            false, 24, 1, LabelFont::Default},
    {kComboMinutes,     L"组合框分",  ControlKind::ComboBox,   131,  31,  40, 20, L"0",            false, 59, 4, LabelFont::Default},
    {kComboSeconds,     L"组合框秒",  ControlKind::ComboBox,   197,  31,  40, 20, L"0",            false, 59, 2, LabelFont::Default},
    {kLabel5,           L"标签5",     ControlKind::Label,       60,  64,  72, 24, L"按具体时间点", false,  0, 0, LabelFont::Default},
    {kLabel9,           L"标签9",     ControlKind::Label,      104,  88,  15, 24, L"时",           false,  0, 0, LabelFont::Default},
    {kLabel10,          L"标签10",    ControlKind::Label,      174,  89,  15, 24, L"分",           false,  0, 0, LabelFont::Default},
    {kComboClockMinute, L"组合框点分", ControlKind::ComboBox,  130,  91,  40, 20, L"0",            false, 59, 4, LabelFont::Default},
    {kComboClockHour,   L"组合框点时", ControlKind::ComboBox,   60,  91,  40, 20, L"0",            false, 23, 1, LabelFont::Default},
    {kRadioCountdown,   L"单选框1",   ControlKind::RadioButton, 33,   1,  21, 32, L"",             true,   0, 0, LabelFont::Default},
    {kRadioClockTime,   L"单选框2",   ControlKind::RadioButton, 33,  62,  21, 32, L"",             false,  0, 0, LabelFont::Default},
    {kLabel6,           L"标签6",     ControlKind::Label,       61, 118, 160, 24, L"",             false,  0, 0, LabelFont::Default},
    {kButtonExit,       L"按钮3",     ControlKind::PushButton, 192, 147,  55, 30, L"退出",         false,  0, 0, LabelFont::Default},
};

constexpr TimerSpec kMainTimers[] = {
    {kTimerCountdown, 0},      // 时钟1
    {kTimerClockWatch, 0},     // 时钟2
    {kTimerClockLine, 1000},   // 时钟3
};

constexpr ControlSpec kAboutControls[] = {
    {kAboutAuthor,  L"标签1", ControlKind::Label, 32, 24, 112, 24, kAboutAuthorLine,  false, 0, 0, LabelFont::Default},
    {kAboutContact, L"标签2", ControlKind::Label, 16, 48, 144, 24, kAboutContactLine, false, 0, 0, LabelFont::Default},
};
// clang-format on

constexpr int kMainTabOrder[] = {
    kButtonStart,      kButtonCancel,   kComboHours,     kComboMinutes,   kComboSeconds,
    kComboClockMinute, kComboClockHour, kRadioCountdown, kRadioClockTime, kButtonExit,
};

constexpr FormSpec kMainForm = {
    kMainWindowTitle,
    283,
    216,
    kFixedFrame | WS_MINIMIZEBOX,
    kMainControls,
    std::size(kMainControls),
    kMainTimers,
    std::size(kMainTimers),
};

constexpr FormSpec kAboutForm = {
    kAboutWindowTitle, 186, 144, kFixedFrame, kAboutControls, std::size(kAboutControls), nullptr, 0,
};

}  // namespace

const FormSpec& mainForm() {
    return kMainForm;
}

TabOrder mainTabOrder() {
    return TabOrder{kMainTabOrder, std::size(kMainTabOrder)};
}

const FormSpec& aboutForm() {
    return kAboutForm;
}

const ControlSpec* findControl(const FormSpec& form, int id) {
    for (size_t i = 0; i < form.controlCount; ++i) {
        if (form.controls[i].id == id) {
            return &form.controls[i];
        }
    }
    return nullptr;
}

}  // namespace tavrel::app
