#include "app/program.h"

#include <string>
#include <vector>

#include "app/about_window.h"
#include "app/ids.h"
#include "app/keyboard.h"
#include "app/label.h"
#include "app/main_window.h"

namespace tavrel::app {

namespace {

constexpr int kExitCodeNoWindow = -1;

// The program's own folder becomes the working directory.
void enterProgramFolder() {
    std::vector<wchar_t> path(MAX_PATH);
    DWORD length = 0;
    for (;;) {
        length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0 || length < path.size()) {
            break;
        }
        path.resize(path.size() * 2);
    }
    std::wstring folder(path.data(), length);
    const size_t slash = folder.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        return;
    }
    folder.resize(slash + 1);
    SetCurrentDirectoryW(folder.c_str());
}

}  // namespace

Program::Program(HINSTANCE instance) : instance_(instance) {}

Program::~Program() {
    about_.reset();
    main_.reset();
    if (owner_ != nullptr) {
        DestroyWindow(owner_);
    }
}

bool Program::registerClasses() const {
    WNDCLASSEXW ownerClass{};
    ownerClass.cbSize = sizeof(ownerClass);
    ownerClass.lpfnWndProc = DefWindowProcW;
    ownerClass.hInstance = instance_;
    ownerClass.lpszClassName = ids::kOwnerWindowClass;
    return RegisterClassExW(&ownerClass) != 0 && registerLabelClass(instance_) &&
           MainWindow::registerClass(instance_) && AboutWindow::registerClass(instance_);
}

HWND Program::createOwnerWindow() const {
    // Never shown: it only owns the other top-level windows.
    return CreateWindowExW(WS_EX_TOOLWINDOW, ids::kOwnerWindowClass, L"", 0, 0, 0, 0, 0, nullptr,
                           nullptr, instance_, nullptr);
}

int Program::run() {
    enterProgramFolder();
    if (!registerClasses()) {
        return kExitCodeNoWindow;
    }
    owner_ = createOwnerWindow();
    main_ = std::make_unique<MainWindow>(*this);
    if (!main_->create()) {
        return kExitCodeNoWindow;
    }
    if (anyWindowOpen()) {
        runMessageLoop([](const Program&) { return true; }, false);
    }
    return 0;
}

void Program::runMessageLoop(bool (*keepRunning)(const Program&), bool nested) {
    MSG message{};
    while (keepRunning(*this)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            if (nested) {
                // Leave the nested loop and let the outer one end too.
                PostQuitMessage(static_cast<int>(message.wParam));
            }
            return;
        }
        if (got == -1) {
            return;
        }
        if (applyKeyboardRules(message, mainWindow(), aboutWindow())) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Program::openAboutWindow() {
    if (about_ && about_->open()) {
        about_->bringToFront();
        return;
    }
    about_ = std::make_unique<AboutWindow>(*this);
    if (!about_->create()) {
        about_.reset();
        return;
    }
    runMessageLoop([](const Program& program) { return program.aboutWindow() != nullptr; }, true);
}

HWND Program::mainWindow() const {
    return main_ && main_->open() ? main_->hwnd() : nullptr;
}

HWND Program::aboutWindow() const {
    return about_ && about_->open() ? about_->hwnd() : nullptr;
}

std::vector<HWND> Program::topLevelWindows() const {
    std::vector<HWND> windows;
    if (main_ && main_->open()) {
        windows.push_back(main_->hwnd());
    }
    if (about_ && about_->open()) {
        windows.push_back(about_->hwnd());
    }
    return windows;
}

bool Program::anyWindowOpen() const {
    return !topLevelWindows().empty();
}

void Program::windowGone() {
    if (!anyWindowOpen()) {
        PostQuitMessage(0);
    }
}

}  // namespace tavrel::app
