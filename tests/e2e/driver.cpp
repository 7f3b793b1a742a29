#include "driver.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "app/ids.h"

namespace tavrel::e2e {

namespace {

constexpr UINT kSendTimeoutMs = 5000;

LRESULT send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result)) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

std::wstring environmentVariable(const wchar_t* name) {
    wchar_t buffer[32768];
    const DWORD length = GetEnvironmentVariableW(name, buffer, 32768);
    if (length == 0 || length >= 32768) {
        return {};
    }
    return std::wstring(buffer, length);
}

}  // namespace

bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return condition();
        }
        Sleep(20);
    }
}

std::wstring windowsPathOfUnixPath(const std::string& unixPath) {
    std::wstring path = L"Z:" + bench::fromUtf8(unixPath);
    for (wchar_t& c : path) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return path;
}

std::wstring tavrelExePath() {
    const std::wstring fromEnvironment = environmentVariable(L"TAVREL_EXE");
    if (!fromEnvironment.empty()) {
        return fromEnvironment;
    }
    return windowsPathOfUnixPath(TAVREL_EXE_UNIX_PATH);
}

std::wstring plantedShutdownPath() {
    return windowsPathOfUnixPath(TAVREL_PLANTED_UNIX_PATH);
}

std::wstring windowText(HWND window) {
    const LRESULT length = send(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) {
        return {};
    }
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got =
        send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    if (got <= 0) {
        return {};
    }
    return std::wstring(buffer.data(), static_cast<size_t>(got));
}

std::wstring className(HWND window) {
    wchar_t buffer[256];
    const int length = GetClassNameW(window, buffer, 256);
    return std::wstring(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

LONG_PTR style(HWND window) {
    return GetWindowLongPtrW(window, GWL_STYLE);
}
LONG_PTR exStyle(HWND window) {
    return GetWindowLongPtrW(window, GWL_EXSTYLE);
}

DWORD windowProcessId(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

RECT outerRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

RECT rectInClientOf(HWND window, HWND ancestor) {
    RECT r = outerRect(window);
    MapWindowPoints(HWND_DESKTOP, ancestor, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int width(const RECT& r) {
    return r.right - r.left;
}
int height(const RECT& r) {
    return r.bottom - r.top;
}

std::vector<std::wstring> comboItems(HWND combo) {
    std::vector<std::wstring> items;
    const LRESULT count = send(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length < 0) {
            items.push_back(L"<unreadable>");
            continue;
        }
        std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
        const LRESULT got = send(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                                 reinterpret_cast<LPARAM>(buffer.data()));
        items.emplace_back(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
    }
    return items;
}

HWND comboEdit(HWND combo) {
    return FindWindowExW(combo, nullptr, L"Edit", nullptr);
}

HWND findMessageBox(DWORD pid, const wchar_t* title) {
    HWND candidate = nullptr;
    while ((candidate = FindWindowExW(nullptr, candidate, L"#32770", title)) != nullptr) {
        if (windowProcessId(candidate) == pid) {
            return candidate;
        }
    }
    return nullptr;
}

std::wstring messageBoxText(HWND box) {
    for (HWND child = FindWindowExW(box, nullptr, L"Static", nullptr); child != nullptr;
         child = FindWindowExW(box, child, L"Static", nullptr)) {
        std::wstring text = windowText(child);
        if (!text.empty()) {
            return text;
        }
    }
    return {};
}

void dismissMessageBox(HWND box) {
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

TavrelProcess::~TavrelProcess() {
    kill();
}

bool TavrelProcess::start(const std::wstring& exePath, std::wstring* error) {
    std::wstring commandLine = L"\"" + exePath + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        *error =
            L"CreateProcessW(" + exePath + L") failed, error " + std::to_wstring(GetLastError());
        return false;
    }
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    pid_ = info.dwProcessId;
    threadId_ = info.dwThreadId;

    // An earlier instance may still be closing: match the process, not only the title.
    const bool shown = waitFor([this] {
        HWND candidate = nullptr;
        while ((candidate = FindWindowExW(nullptr, candidate, nullptr, ids::kMainWindowTitle)) !=
               nullptr) {
            if (windowProcessId(candidate) == pid_ && IsWindowVisible(candidate)) {
                main_ = candidate;
                return true;
            }
        }
        return !running();
    });
    if (!shown || main_ == nullptr) {
        DWORD code = 0;
        GetExitCodeProcess(process_.get(), &code);
        *error = running() ? L"no visible main window \"Tavrel v1.1\" within the time-out"
                           : L"the program ended with exit code " + std::to_wstring(code) +
                                 L" before showing its main window";
        return false;
    }
    // Let the start-up finish (activation, the first focus) before the test acts.
    WaitForInputIdle(process_.get(), kDefaultTimeoutMs);
    return true;
}

bool TavrelProcess::running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool TavrelProcess::waitForExit(DWORD timeoutMs, DWORD* exitCode) const {
    if (!process_ || WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) {
        return false;
    }
    return GetExitCodeProcess(process_.get(), exitCode) != FALSE;
}

void TavrelProcess::kill() {
    if (running()) {
        TerminateProcess(process_.get(), 99);
        WaitForSingleObject(process_.get(), kDefaultTimeoutMs);
    }
}

HWND TavrelProcess::focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(threadId_, &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

void TavrelProcess::clearCombo(int id) const {
    HWND edit = comboEdit(control(id));
    send(edit, EM_SETSEL, 0, -1);
    send(edit, WM_CLEAR, 0, 0);
}

void TavrelProcess::typeIntoCombo(int id, const std::wstring& characters) const {
    HWND edit = comboEdit(control(id));
    for (wchar_t c : characters) {
        send(edit, WM_CHAR, c, 1);
    }
}

void TavrelProcess::enterInCombo(int id, const std::wstring& characters) const {
    clearCombo(id);
    typeIntoCombo(id, characters);
}

void TavrelProcess::click(int id) const {
    PostMessageW(control(id), BM_CLICK, 0, 0);
}

HWND TavrelProcess::popUpMenu() const {
    for (HWND menu = FindWindowW(L"#32768", nullptr); menu;
         menu = FindWindowExW(nullptr, menu, L"#32768", nullptr)) {
        if (IsWindowVisible(menu) && windowProcessId(menu) == pid_) {
            return menu;
        }
    }
    return nullptr;
}

void TavrelProcess::waitForClockTick() const {
    const std::wstring line = text(ids::kLabel6);
    waitFor([&] { return text(ids::kLabel6) != line; });
}

HWND TavrelProcess::waitForInformationBox(DWORD timeoutMs) const {
    HWND box = nullptr;
    waitFor(
        [&] { return (box = findMessageBox(pid_, L"提示")) != nullptr && IsWindowVisible(box); },
        timeoutMs);
    return box;
}

}  // namespace tavrel::e2e
