#include "bench.h"

#include <string>
#include <vector>

#include "bench_paths.h"

namespace tavrel::bench {

unsigned long long nowMs() {
    FILETIME ft{};
    GetSystemTimePreciseAsFileTime(&ft);
    ULARGE_INTEGER ticks{};
    ticks.LowPart = ft.dwLowDateTime;
    ticks.HighPart = ft.dwHighDateTime;
    constexpr unsigned long long kEpochDifference = 116444736000000000ULL;  // 1601 to 1970
    return (ticks.QuadPart - kEpochDifference) / 10000ULL;
}

std::string toUtf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring fromUtf8(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

bool fileExists(const wchar_t* path) {
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

std::vector<LogLine> readLog(const wchar_t* path) {
    std::vector<LogLine> lines;
    const HANDLE opened =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        return lines;
    }
    const UniqueHandle file(opened);
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
        content.append(buffer, got);
    }
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) {
            break;  // a line still being written
        }
        const std::string line = content.substr(start, end - start);
        start = end + 1;
        const size_t firstSpace = line.find(' ');
        const size_t secondSpace =
            firstSpace == std::string::npos ? std::string::npos : line.find(' ', firstSpace + 1);
        if (secondSpace == std::string::npos) {
            continue;
        }
        LogLine entry;
        entry.timeMs = std::stoull(line.substr(0, firstSpace));
        entry.pid = std::stoul(line.substr(firstSpace + 1, secondSpace - firstSpace - 1));
        entry.commandLine = fromUtf8(line.substr(secondSpace + 1));
        lines.push_back(entry);
    }
    return lines;
}

bool clearLog(const wchar_t* path) {
    DeleteFileW(path);
    return !fileExists(path);
}

std::wstring systemShutdownPath() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    return std::wstring(folder, length) + L"\\shutdown.exe";
}

UniqueHandle launchSystemShutdown(const std::wstring& commandLine, DWORD* error) {
    const std::wstring application = systemShutdownPath();
    std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(application.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &info)) {
        *error = GetLastError();
        return UniqueHandle();
    }
    CloseHandle(info.hThread);
    *error = 0;
    return UniqueHandle(info.hProcess);
}

std::wstring probeFakeShutdown(const std::wstring& suffix) {
    const std::wstring commandLine = std::wstring(L"shutdown ") + kProbeArgument + suffix;
    DWORD error = 0;
    UniqueHandle process = launchSystemShutdown(commandLine, &error);
    if (!process) {
        return L"cannot start " + systemShutdownPath() + L" (error " + std::to_wstring(error) +
               L")";
    }
    if (WaitForSingleObject(process.get(), 20000) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 1);
        return systemShutdownPath() + L" did not end within 20 s";
    }
    const DWORD pid = GetProcessId(process.get());
    for (const LogLine& line : readLog(kShutdownLog)) {
        if (line.commandLine == commandLine && line.pid == pid) {
            return {};
        }
    }
    return systemShutdownPath() + L" ran but left no record of \"" + commandLine +
           L"\" in the bench log: it is not the bench's fake";
}

}  // namespace tavrel::bench
