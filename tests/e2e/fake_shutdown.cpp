// A stand-in for the system's shutdown.exe in the bench's Wine prefix. It only
// appends one line to its log: the time in milliseconds since the Unix epoch,
// its own process id and its full command line (UTF-8). It never shuts
// anything down. It is a GUI program without windows, so no console opens.
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench_paths.h"

namespace {

#ifdef TAVREL_FAKE_PLANTED
constexpr const wchar_t* kLogPath = tavrel::bench::kPlantedLog;
#else
constexpr const wchar_t* kLogPath = tavrel::bench::kShutdownLog;
#endif

unsigned long long millisecondsSinceUnixEpoch() {
    FILETIME ft{};
    GetSystemTimePreciseAsFileTime(&ft);
    ULARGE_INTEGER ticks{};
    ticks.LowPart = ft.dwLowDateTime;
    ticks.HighPart = ft.dwHighDateTime;
    constexpr unsigned long long kEpochDifference = 116444736000000000ULL;  // 1601 to 1970
    return (ticks.QuadPart - kEpochDifference) / 10000ULL;
}

std::string toUtf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.resize(static_cast<size_t>(size - 1));
    return out;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const unsigned long long now = millisecondsSinceUnixEpoch();
    CreateDirectoryW(tavrel::bench::kBenchFolder, nullptr);

    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "%llu %lu ", now, GetCurrentProcessId());
    const std::string line = prefix + toUtf8(GetCommandLineW()) + "\n";

    // Several writers may append at once; FILE_APPEND_DATA keeps each line whole.
    HANDLE file = CreateFileW(kLogPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 2;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == line.size() ? 0 : 3;
}
