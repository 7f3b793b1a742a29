// A small typed layer over the child windows of a form, so handlers say
// `box.setText(...)` and `button.enable(false)` instead of sending messages.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tavrel::app {

class Control {
  public:
    Control() = default;
    explicit Control(HWND hwnd) : hwnd_(hwnd) {}

    HWND hwnd() const { return hwnd_; }
    int id() const { return GetDlgCtrlID(hwnd_); }
    std::wstring text() const;
    void setText(std::wstring_view text) const;
    void enable(bool enabled) const { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }
    bool enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
    bool visible() const { return IsWindowVisible(hwnd_) != FALSE; }
    void focus() const { SetFocus(hwnd_); }
    bool hasFocus() const { return GetFocus() == hwnd_; }
    void setFont(HFONT font) const {
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }

  private:
    HWND hwnd_ = nullptr;
};

class Button : public Control {
  public:
    using Control::Control;
    bool checked() const { return SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void setChecked(bool checked) const {
        SendMessageW(hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
};

class ComboBox : public Control {
  public:
    using Control::Control;
    void addItem(std::wstring_view text) const;
    int itemCount() const { return static_cast<int>(SendMessageW(hwnd(), CB_GETCOUNT, 0, 0)); }
    void select(int index) const { SendMessageW(hwnd(), CB_SETCURSEL, index, 0); }
    void limitText(int characters) const { SendMessageW(hwnd(), CB_LIMITTEXT, characters, 0); }
    void setEditSelection(int start, int end) const {
        SendMessageW(hwnd(), CB_SETEDITSEL, 0, MAKELPARAM(start, end));
    }
    int itemHeight() const {
        return static_cast<int>(SendMessageW(hwnd(), CB_GETITEMHEIGHT, 0, 0));
    }
    void setItemHeight(int height) const { SendMessageW(hwnd(), CB_SETITEMHEIGHT, 0, height); }
    bool droppedDown() const { return SendMessageW(hwnd(), CB_GETDROPPEDSTATE, 0, 0) != FALSE; }
};

}  // namespace tavrel::app
