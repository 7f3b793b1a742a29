#include "platform/win/launch.h"

#include <windows.h>

#include <string>
#include <vector>

namespace tavrel::win {

namespace {

constexpr DWORD kInputIdleWaitMs = 1000;

std::wstring systemFolderPath(std::wstring_view program) {
    std::vector<wchar_t> folder(MAX_PATH);
    UINT length = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (length >= folder.size()) {
        folder.resize(length + 1);
        length = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    }
    if (length == 0 || length >= folder.size()) {
        return {};
    }
    std::wstring path(folder.data(), length);
    path += L'\\';
    path += program;
    return path;
}

}  // namespace

bool launchSystemCommand(std::wstring_view program, std::wstring_view commandLine) {
    const std::wstring application = systemFolderPath(program);
    if (application.empty()) {
        return false;
    }
    // CreateProcessW may write into the command line, so it gets a copy.
    std::vector<wchar_t> command(commandLine.begin(), commandLine.end());
    command.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    WaitForInputIdle(process.hProcess, kInputIdleWaitMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool launchShutdownCommand() {
    return launchSystemCommand(L"shutdown.exe", L"shutdown -f -s -t 0");
}

}  // namespace tavrel::win
