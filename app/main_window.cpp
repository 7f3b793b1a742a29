#include "app/main_window.h"

#include "app/controls.h"
#include "app/form.h"
#include "app/form_window.h"
#include "app/ids.h"
#include "app/window_class.h"
#include "app/keyboard.h"
#include "app/label.h"
#include "app/look.h"
#include "app/program.h"
#include "app/resources/resource.h"
#include "app/tab_order.h"
#include "app/tray_events.h"
#include "app/window_state.h"

namespace tavrel::app {

namespace {

constexpr wchar_t kTrayTip[] = L"Tavrel";

}  // namespace

win::UniqueIcon loadProgramIcon(HINSTANCE instance) {
    // Width and height 0: the image's own size.
    return win::UniqueIcon(
        static_cast<HICON>(LoadImageW(instance, TAVREL_ICON_NAME, IMAGE_ICON, 0, 0, 0)));
}

MainWindow::MainWindow(Program& program) : program_(program) {}

MainWindow::~MainWindow() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

bool MainWindow::registerClass(HINSTANCE instance) {
    return registerWindowClass(instance, ids::kMainWindowClass, objectWindowProc<MainWindow>);
}

bool MainWindow::create() {
    const HINSTANCE instance = program_.instance();
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    if (createFormWindow(mainForm(), ids::kMainWindowClass, program_.owner(), instance, this) ==
        nullptr) {
        return false;
    }
    icon_ = loadProgramIcon(instance);
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);

    smallFont_.reset(createSmallLabelFont());
    createFormControls(hwnd_, mainForm(), instance, smallFont_.get());
    port_ = std::make_unique<WinSchedulePort>(hwnd_);
    scheduler_ = std::make_unique<Scheduler>(*port_);
    const FormSpec& form = mainForm();
    for (size_t i = 0; i < form.timerCount; ++i) {
        if (form.timers[i].id == ids::kTimerClockLine) {
            port_->setTimerPeriod(Timer::ClockLine, form.timers[i].initialPeriodMs);
        }
    }

    mainWindowCreated();
    if (hwnd_ == nullptr) {
        return false;
    }
    hideWhenMinimised();  // the first position-changed event: the state reads 0 here
    ShowWindow(hwnd_, SW_SHOW);
    return true;
}

void MainWindow::mainWindowCreated() {
    enableThemedLook(kLookOliveGreen);
    tray_.add(hwnd_, loadProgramIcon(program_.instance()), kTrayTip);
    scheduler_->refreshClockLine();
    scheduler_->writeCurrentClockTime();
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: return fillWithButtonFace(hwnd_, reinterpret_cast<HDC>(wParam));
        case WM_COMMAND: return msgCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_TIMER: return msgTimer(wParam);
        case WM_ACTIVATE: return msgActivate(wParam);
        case WM_SETFOCUS: return msgSetFocus();
        case WM_MOVE: return msgMoveOrSize(message, wParam, lParam);
        case WM_SIZE: return msgMoveOrSize(message, wParam, lParam);
        case WM_CLOSE: return msgClose();
        case WM_QUERYENDSESSION: return msgQueryEndSession(wParam, lParam);
        case ids::kMsgTrayCallback: return msgTrayCallback(lParam);
        case ids::kMsgListItemChosen: return msgListItemChosen(static_cast<int>(wParam));
        case ids::kMsgDeferredDestroy: return msgDeferredDestroy();
        case WM_DESTROY: return msgDestroy();
        case WM_NCDESTROY: return msgNcDestroy();
        default: break;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        return msgTaskbarCreated();
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT MainWindow::msgCommand(int id, int code) {
    Box box{};
    if (boxOfControl(id, &box)) {
        if (code == CBN_EDITCHANGE) {
            scheduler_->onEditChanged(box);
        } else if (code == CBN_SELENDOK) {
            // The box has not finished taking the chosen item yet: react later.
            PostMessageW(hwnd_, ids::kMsgListItemChosen, static_cast<WPARAM>(id), 0);
        }
        return 0;
    }
    if (code == kLabelPressed) {
        if (id == ids::kLabel3) {
            scheduler_->selectCountdownMode();
        } else if (id == ids::kLabel5) {
            scheduler_->selectClockTimeMode();
        }
        return 0;
    }
    if (code != BN_CLICKED) {  // menu commands arrive with the same code 0
        return 0;
    }
    switch (id) {
        case ids::kButtonStart: scheduler_->startSchedule(); break;
        case ids::kButtonCancel: scheduler_->cancelSchedule(); break;
        case ids::kButtonExit: destroyMainWindow(); break;
        case ids::kCmdHide: setWindowState(kStateMinimised); break;
        case ids::kCmdShow: showMainWindow(); break;
        case ids::kCmdCancel: scheduler_->cancelSchedule(); break;
        case ids::kCmdAbout: program_.openAboutWindow(); break;
        case ids::kCmdExit: destroyMainWindow(); break;
        default: break;
    }
    return 0;
}

LRESULT MainWindow::msgTimer(UINT_PTR id) {
    switch (id) {
        case ids::kTimerCountdown: scheduler_->countdownTick(); break;
        case ids::kTimerClockWatch: scheduler_->clockTimeTick(); break;
        case ids::kTimerClockLine: scheduler_->refreshClockLine(); break;
        default: break;
    }
    return 0;
}

LRESULT MainWindow::msgActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) {
            lastFocus_ = focus;
        }
        return 0;
    }
    if (HIWORD(wParam) != 0) {
        return 0;  // activated while minimised: nothing to focus yet
    }
    // While the About window is up, the disabled main window passes the
    // activation on to it.
    const HWND about = program_.aboutWindow();
    if (about != nullptr && !IsWindowEnabled(hwnd_)) {
        SetActiveWindow(about);
        return 0;
    }
    return msgSetFocus();
}

LRESULT MainWindow::msgSetFocus() {
    if (lastFocus_ != nullptr && IsWindow(lastFocus_) && IsChild(hwnd_, lastFocus_) &&
        IsWindowEnabled(lastFocus_) && IsWindowVisible(lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
    }
    const TabOrder order = mainTabOrder();
    const int first = firstInTabOrder(
        order.ids, order.count, [this](int id) { return canTakeFocus(GetDlgItem(hwnd_, id)); });
    if (first != 0) {
        SetFocus(GetDlgItem(hwnd_, first));
    }
    return 0;
}

LRESULT MainWindow::msgMoveOrSize(UINT message, WPARAM wParam, LPARAM lParam) {
    // After the default processing, a minimised window reads state 2 here.
    DefWindowProcW(hwnd_, message, wParam, lParam);
    hideWhenMinimised();
    return 0;
}

LRESULT MainWindow::msgClose() {
    onCloseRequest();
    return 0;  // swallowed: the default processing would destroy the window
}

LRESULT MainWindow::msgTaskbarCreated() {
    tray_.restore();
    return 0;
}

LRESULT MainWindow::msgQueryEndSession(WPARAM wParam, LPARAM lParam) {
    DefWindowProcW(hwnd_, WM_QUERYENDSESSION, wParam, lParam);
    onCloseRequest();
    return FALSE;
}

LRESULT MainWindow::msgTrayCallback(LPARAM lParam) {
    switch (trayEventOf(static_cast<unsigned>(lParam))) {
        case TrayEvent::LeftClick:
        case TrayEvent::LeftDoubleClick: showMainWindow(); break;
        case TrayEvent::Menu: popUpTrayMenu(hwnd_); break;
        case TrayEvent::None: break;
    }
    return 0;
}

LRESULT MainWindow::msgListItemChosen(int id) {
    Box box{};
    if (boxOfControl(id, &box)) {
        scheduler_->onListItemChosen(box);
    }
    return 0;
}

LRESULT MainWindow::msgDeferredDestroy() {
    if (destroyPending_) {
        destroyPending_ = false;
        DestroyWindow(hwnd_);
    }
    return 0;
}

LRESULT MainWindow::msgDestroy() {
    tray_.remove();
    KillTimer(hwnd_, ids::kTimerCountdown);
    KillTimer(hwnd_, ids::kTimerClockWatch);
    KillTimer(hwnd_, ids::kTimerClockLine);
    return 0;
}

LRESULT MainWindow::msgNcDestroy() {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    program_.windowGone();
    return 0;
}

void MainWindow::destroyMainWindow() {
    // Deferred, so the handler that asked finishes before the controls go.
    destroyPending_ = true;
    PostMessageW(hwnd_, ids::kMsgDeferredDestroy, 0, 0);
}

void MainWindow::showMainWindow() {
    setWindowVisible(true);        // a window hidden while minimised comes back minimised...
    setWindowState(kStateNormal);  // ...and is restored here
    bringToFront();
}

void MainWindow::bringToFront() {
    if (IsIconic(hwnd_)) {
        ShowWindow(hwnd_, SW_RESTORE);
    } else {
        SetActiveWindow(hwnd_);
    }
}

void MainWindow::hideWhenMinimised() {
    if (getWindowState() == kStateMinimised) {
        setWindowVisible(false);
    }
}

void MainWindow::onCloseRequest() {
    // The window never closes on request: it goes into the notification area.
    setWindowState(kStateMinimised);
}

void MainWindow::setWindowVisible(bool visible) {
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

void MainWindow::setWindowState(int state) {
    switch (showCommandFor(state, IsWindowVisible(hwnd_) != FALSE)) {
        case ShowCommand::ShowNormal: ShowWindow(hwnd_, SW_SHOWNORMAL); break;
        case ShowCommand::Minimise: ShowWindow(hwnd_, SW_MINIMIZE); break;
        case ShowCommand::None: break;
    }
}

int MainWindow::getWindowState() const {
    return windowStateOf(IsIconic(hwnd_) != FALSE, IsZoomed(hwnd_) != FALSE);
}

}  // namespace tavrel::app
