// Measures Tavrel.exe beside the benchmark's floor (floor_window.exe: one empty
// window and a message loop, built like Tavrel.exe) inside the Wine bench, and
// prints one table: start-up time, memory after start-up, idle CPU, executable
// size and the lateness of the shutdown command's launch.
//
//   bench_measure [--idle-seconds N]
//
// The executables are the build's own, or those named (as Windows paths) by
// the environment variables TAVREL_EXE and TAVREL_FLOOR_EXE.
//
// The prefix's shutdown.exe must be the bench's fake; this program proves it
// again before Tavrel.exe first runs. Progress goes to stderr, the table to
// stdout, whose last line is kClosingLine only when every figure was measured.
// Exit code: 0 when measured, 1 when something could not be measured, 2 for a
// bad command line. Targets are printed beside the figures, not enforced.
#include <windows.h>
#include <mmsystem.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "app/ids.h"
#include "bench.h"
#include "bench_paths.h"
#include "driver.h"

namespace tavrel::measure {
namespace {

using bench::UniqueHandle;

constexpr char kClosingLine[] = "bench_measure: all figures measured";
constexpr wchar_t kFloorTitle[] = L"Tavrel bench floor";
constexpr wchar_t kShutdownCommand[] = L"shutdown -f -s -t 0";

constexpr int kStarts = 10;
// Direct launches of the fake before each launch measured, for the floor.
constexpr int kDirectLaunchesPerRun = 3;
constexpr int kDefaultIdleSeconds = 60;
constexpr int kCountdowns[] = {3, 10, 60};
constexpr DWORD kWindowTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 15000;
// How long a started program is left alone, once it waits for input, before
// its memory is read; and before the idle time begins (its first timer ticks
// and late paints are start-up, not idling).
constexpr DWORD kSettleMs = 500;
constexpr DWORD kIdleSettleMs = 2000;
// CPU times grow in steps: 10 ms under Wine (Linux's clock ticks), 15.6 ms on
// Windows. The table states the finer one.
constexpr double kCpuTimeStepMs = 10.0;

void progress(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::fputs("bench: ", stderr);
    std::vfprintf(stderr, format, args);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    va_end(args);
}

// Milliseconds from the performance counter.
double preciseMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency{};
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

double worst(const std::vector<double>& values) {
    return *std::max_element(values.begin(), values.end());
}

std::wstring environmentVariable(const wchar_t* name) {
    wchar_t buffer[4096];
    const DWORD length = GetEnvironmentVariableW(name, buffer, 4096);
    return length == 0 || length >= 4096 ? std::wstring() : std::wstring(buffer, length);
}

std::wstring floorExePath() {
    const std::wstring fromEnvironment = environmentVariable(L"TAVREL_FLOOR_EXE");
    return fromEnvironment.empty() ? e2e::windowsPathOfUnixPath(TAVREL_FLOOR_UNIX_PATH)
                                   : fromEnvironment;
}

bool fileSize(const std::wstring& path, unsigned long long* size) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return false;
    }
    *size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

unsigned long long fileTimeValue(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// The visible top-level window with this title that belongs to the process.
HWND visibleWindowOf(DWORD pid, const wchar_t* title) {
    HWND candidate = nullptr;
    while ((candidate = FindWindowExW(nullptr, candidate, nullptr, title)) != nullptr) {
        if (e2e::windowProcessId(candidate) == pid && IsWindowVisible(candidate)) {
            return candidate;
        }
    }
    return nullptr;
}

// The program under measurement: Tavrel.exe or the floor.
struct Subject {
    const char* name;
    std::wstring exePath;
    const wchar_t* windowTitle;
    bool isTavrel;
};

// One started process of a subject. Ends the process when destroyed if it
// still runs.
class RunningProgram {
  public:
    explicit RunningProgram(const Subject& subject) : subject_(subject) {}
    ~RunningProgram() { kill(); }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // Starts the program and polls every millisecond for its main window to be
    // visible; the start-up time runs from just before CreateProcessW.
    bool start(std::wstring* error) {
        std::wstring commandLine = L"\"" + subject_.exePath + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        const double startedAt = preciseMs();
        if (!CreateProcessW(subject_.exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                            0, nullptr, nullptr, &startup, &info)) {
            *error = L"CreateProcessW(" + subject_.exePath + L") failed, error " +
                     std::to_wstring(GetLastError());
            return false;
        }
        CloseHandle(info.hThread);
        process_.reset(info.hProcess);
        pid_ = info.dwProcessId;
        for (;;) {
            window_ = visibleWindowOf(pid_, subject_.windowTitle);
            const double now = preciseMs();
            if (window_ != nullptr) {
                startupMs_ = now - startedAt;
                return true;
            }
            if (!running()) {
                *error = L"the program ended before its window showed";
                return false;
            }
            if (now - startedAt > kWindowTimeoutMs) {
                *error = L"no visible window within the time-out";
                return false;
            }
            Sleep(1);
        }
    }

    // Waits until the program waits for input, then a little longer.
    void settle(DWORD extraMs) const {
        WaitForInputIdle(process_.get(), kWindowTimeoutMs);
        Sleep(extraMs);
    }

    // Ends the program its own way: 按钮3 for Tavrel.exe, closing the window for
    // the floor. True when the process ended by itself with exit code 0.
    bool close() {
        if (subject_.isTavrel) {
            PostMessageW(GetDlgItem(window_, ids::kButtonExit), BM_CLICK, 0, 0);
        } else {
            PostMessageW(window_, WM_CLOSE, 0, 0);
        }
        DWORD code = 1;
        const bool ended = WaitForSingleObject(process_.get(), kExitTimeoutMs) == WAIT_OBJECT_0 &&
                           GetExitCodeProcess(process_.get(), &code) && code == 0;
        kill();
        return ended;
    }

    void kill() {
        if (running()) {
            TerminateProcess(process_.get(), 99);
            WaitForSingleObject(process_.get(), kExitTimeoutMs);
        }
    }

    bool running() const {
        return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
    }
    HANDLE process() const { return process_.get(); }
    DWORD pid() const { return pid_; }
    double startupMs() const { return startupMs_; }

  private:
    const Subject& subject_;
    UniqueHandle process_;
    DWORD pid_ = 0;
    HWND window_ = nullptr;
    double startupMs_ = 0;
};

struct Memory {
    double workingSetKiB = 0;
    double privateKiB = 0;
};

bool readMemory(HANDLE process, Memory* memory) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters)) {
        return false;
    }
    memory->workingSetKiB = static_cast<double>(counters.WorkingSetSize) / 1024.0;
    // The commit charge. Windows gives it twice; Wine fills only the older
    // field for another process (its resident anonymous memory).
    const SIZE_T privateBytes =
        counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
    memory->privateKiB = static_cast<double>(privateBytes) / 1024.0;
    return true;
}

// CPU time (user and kernel) of the process's threads that still run, in
// milliseconds.
bool threadsCpuTimeMs(DWORD pid, double* ms) {
    UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (snapshot.get() == INVALID_HANDLE_VALUE) {
        snapshot.release();
        return false;
    }
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    unsigned long long total = 0;
    bool any = false;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more;
         more = Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID != pid) {
            continue;
        }
        UniqueHandle thread(
            OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ThreadID));
        FILETIME created{}, exited{}, kernel{}, user{};
        if (thread && GetThreadTimes(thread.get(), &created, &exited, &kernel, &user)) {
            total += fileTimeValue(kernel) + fileTimeValue(user);
            any = true;
        }
    }
    *ms = static_cast<double>(total) / 10000.0;
    return any;
}

// CPU time (user and kernel) the process has used, in milliseconds. Wine
// reports none for another process through GetProcessTimes, but does for its
// threads; Windows counts ended threads in the process's times too. The larger
// figure is the right one on both.
bool cpuTimeMs(const RunningProgram& program, double* ms) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(program.process(), &created, &exited, &kernel, &user)) {
        return false;
    }
    const double processMs =
        static_cast<double>(fileTimeValue(kernel) + fileTimeValue(user)) / 10000.0;
    double threadsMs = 0;
    if (!threadsCpuTimeMs(program.pid(), &threadsMs)) {
        threadsMs = 0;
    }
    *ms = std::max(processMs, threadsMs);
    return true;
}

struct StartupFigures {
    std::vector<double> startupMs;
    std::vector<double> workingSetKiB;
    std::vector<double> privateKiB;
};

// Starts the subject once; adds the figures unless it is the warm-up start.
bool startOnce(const Subject& subject, StartupFigures* figures, std::wstring* error) {
    RunningProgram program(subject);
    if (!program.start(error)) {
        return false;
    }
    program.settle(kSettleMs);
    Memory memory;
    if (!readMemory(program.process(), &memory)) {
        *error = L"GetProcessMemoryInfo failed, error " + std::to_wstring(GetLastError());
        return false;
    }
    if (!program.close()) {
        *error = L"the program did not end cleanly when asked to";
        return false;
    }
    if (figures != nullptr) {
        figures->startupMs.push_back(program.startupMs());
        figures->workingSetKiB.push_back(memory.workingSetKiB);
        figures->privateKiB.push_back(memory.privateKiB);
    }
    return true;
}

// Starts Tavrel.exe and the floor in turn, so that both meet the same
// conditions: one unmeasured warm-up start each, then kStarts measured ones.
bool measureStartups(const Subject& tavrel, const Subject& floorWindow,
                     StartupFigures* tavrelFigures, StartupFigures* floorFigures,
                     std::wstring* error) {
    for (int i = 0; i <= kStarts; ++i) {
        if (i == 0) {
            progress("start-up: one warm-up start each");
        } else {
            progress("start-up: start %d of %d", i, kStarts);
        }
        for (const Subject* subject : {&tavrel, &floorWindow}) {
            StartupFigures* figures = subject == &tavrel ? tavrelFigures : floorFigures;
            if (!startOnce(*subject, i == 0 ? nullptr : figures, error)) {
                *error = bench::fromUtf8(subject->name) + L": " + *error;
                return false;
            }
        }
    }
    return true;
}

struct IdleFigures {
    double tavrelPercent = 0;
    double floorPercent = 0;
};

// Both programs run side by side, untouched, for the idle time; CPU time used
// over wall time, as a percentage of one core.
bool measureIdle(const Subject& tavrel, const Subject& floorWindow, int idleSeconds,
                 IdleFigures* idle, std::wstring* error) {
    RunningProgram tavrelProgram(tavrel);
    RunningProgram floorProgram(floorWindow);
    if (!tavrelProgram.start(error) || !floorProgram.start(error)) {
        return false;
    }
    tavrelProgram.settle(0);
    floorProgram.settle(kIdleSettleMs);
    double tavrelBefore = 0, floorBefore = 0, tavrelAfter = 0, floorAfter = 0;
    const double wallBefore = preciseMs();
    if (!cpuTimeMs(tavrelProgram, &tavrelBefore) || !cpuTimeMs(floorProgram, &floorBefore)) {
        *error = L"GetProcessTimes failed, error " + std::to_wstring(GetLastError());
        return false;
    }
    progress("idle CPU: both programs left alone for %d s", idleSeconds);
    const HANDLE processes[] = {tavrelProgram.process(), floorProgram.process()};
    if (WaitForMultipleObjects(2, processes, FALSE, static_cast<DWORD>(idleSeconds) * 1000) !=
        WAIT_TIMEOUT) {
        *error = L"a program ended while it was idle";
        return false;
    }
    const double wall = preciseMs() - wallBefore;
    if (!cpuTimeMs(tavrelProgram, &tavrelAfter) || !cpuTimeMs(floorProgram, &floorAfter)) {
        *error = L"GetProcessTimes failed, error " + std::to_wstring(GetLastError());
        return false;
    }
    idle->tavrelPercent = (tavrelAfter - tavrelBefore) / wall * 100.0;
    idle->floorPercent = (floorAfter - floorBefore) / wall * 100.0;
    if (!tavrelProgram.close() || !floorProgram.close()) {
        *error = L"a program did not end cleanly after the idle time";
        return false;
    }
    return true;
}

// Waits for the fake's record of Tavrel's launch: exactly one, with Tavrel's
// command line.
bool waitForLaunch(DWORD timeoutMs, bench::LogLine* launch, std::wstring* error) {
    std::vector<bench::LogLine> lines;
    e2e::waitFor(
        [&] {
            lines = bench::readLog(bench::kShutdownLog);
            return !lines.empty();
        },
        timeoutMs);
    if (lines.size() != 1) {
        *error = lines.empty() ? L"no launch recorded by the fake shutdown.exe"
                               : L"more than one launch recorded";
        return false;
    }
    if (lines[0].commandLine != kShutdownCommand) {
        *error = L"unexpected command line \"" + lines[0].commandLine + L"\"";
        return false;
    }
    *launch = lines[0];
    return true;
}

// The least lateness any launcher has: the system folder's shutdown.exe (the
// fake) started directly, from just before CreateProcessW to its record.
bool measureDirectLaunch(std::vector<double>* ms, std::wstring* error) {
    for (int i = 0; i < kDirectLaunchesPerRun; ++i) {
        if (!bench::clearLog(bench::kShutdownLog)) {
            *error = L"cannot clear the fake's log";
            return false;
        }
        const std::wstring commandLine = std::wstring(L"shutdown ") + bench::kProbeArgument +
                                         L"bench-" + std::to_wstring(GetTickCount64()) + L"-" +
                                         std::to_wstring(i);
        DWORD launchError = 0;
        const unsigned long long before = bench::nowMs();
        UniqueHandle process = bench::launchSystemShutdown(commandLine, &launchError);
        if (!process || WaitForSingleObject(process.get(), kExitTimeoutMs) != WAIT_OBJECT_0) {
            *error =
                L"the fake shutdown.exe did not run (error " + std::to_wstring(launchError) + L")";
            return false;
        }
        const std::vector<bench::LogLine> lines = bench::readLog(bench::kShutdownLog);
        if (lines.size() != 1 || lines[0].commandLine != commandLine) {
            *error = L"the fake shutdown.exe left no record of the direct launch";
            return false;
        }
        ms->push_back(static_cast<double>(static_cast<long long>(lines[0].timeMs - before)));
    }
    return true;
}

bool startTavrel(e2e::TavrelProcess* app, std::wstring* error) {
    if (!bench::clearLog(bench::kShutdownLog)) {
        *error = L"cannot clear the fake's log";
        return false;
    }
    return app->start(e2e::tavrelExePath(), error);
}

bool checked(const e2e::TavrelProcess& app, int radio) {
    return SendMessageW(app.control(radio), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void exitTavrel(e2e::TavrelProcess* app) {
    app->click(ids::kButtonExit);
    DWORD code = 0;
    app->waitForExit(kExitTimeoutMs, &code);
    app->kill();
}

// A countdown of `seconds`: from just before the click on 按钮1 to the fake's
// record of the launch, minus the duration.
bool measureCountdown(int seconds, double* latenessMs, std::wstring* error) {
    e2e::TavrelProcess app;
    if (!startTavrel(&app, error)) {
        return false;
    }
    const std::wstring hours = std::to_wstring(seconds / 3600);
    const std::wstring minutes = std::to_wstring(seconds / 60 % 60);
    const std::wstring secs = std::to_wstring(seconds % 60);
    app.enterInCombo(ids::kComboHours, hours);
    app.enterInCombo(ids::kComboMinutes, minutes);
    app.enterInCombo(ids::kComboSeconds, secs);
    if (app.text(ids::kComboHours) != hours || app.text(ids::kComboMinutes) != minutes ||
        app.text(ids::kComboSeconds) != secs || !checked(app, ids::kRadioCountdown)) {
        *error = L"the countdown boxes did not take the duration";
        return false;
    }
    const unsigned long long clickedAt = bench::nowMs();
    app.click(ids::kButtonStart);
    bench::LogLine launch;
    if (!waitForLaunch(static_cast<DWORD>(seconds) * 1000 + 30000, &launch, error)) {
        return false;
    }
    *latenessMs =
        static_cast<double>(static_cast<long long>(launch.timeMs - clickedAt) - seconds * 1000LL);
    exitTavrel(&app);
    return true;
}

SYSTEMTIME localNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now;
}

// Clock-time mode, started a few seconds before a minute begins with that
// minute as the target: from the start of the minute to the fake's record.
bool measureClockTime(double* latenessMs, std::wstring* error) {
    e2e::TavrelProcess app;
    if (!startTavrel(&app, error)) {
        return false;
    }
    progress("clock time: waiting for the seconds 50 to 54 of a minute");
    if (!e2e::waitFor(
            [] {
                const int second = localNow().wSecond;
                return second >= 50 && second <= 54;
            },
            70000)) {
        *error = L"the clock never showed the seconds 50 to 54";
        return false;
    }
    const SYSTEMTIME now = localNow();
    const int minute = (now.wMinute + 1) % 60;
    const int hour = minute == 0 ? (now.wHour + 1) % 24 : now.wHour;
    app.enterInCombo(ids::kComboClockHour, std::to_wstring(hour));
    app.enterInCombo(ids::kComboClockMinute, std::to_wstring(minute));
    if (!checked(app, ids::kRadioClockTime)) {
        *error = L"typing the clock time did not select clock-time mode";
        return false;
    }
    const unsigned long long clickedAt = bench::nowMs();
    app.click(ids::kButtonStart);
    if (localNow().wMinute != now.wMinute) {
        *error = L"the target minute began before the click";
        return false;
    }
    // Local minutes begin with UTC minutes: time zones differ by whole minutes.
    const unsigned long long targetStart = (clickedAt / 60000 + 1) * 60000;
    bench::LogLine launch;
    if (!waitForLaunch(static_cast<DWORD>(targetStart - clickedAt) + 30000, &launch, error)) {
        return false;
    }
    *latenessMs = static_cast<double>(static_cast<long long>(launch.timeMs - targetStart));
    exitTavrel(&app);
    return true;
}

// ---- the table ----

void printRule() {
    std::printf("%s\n", std::string(108, '-').c_str());
}

void printHeader() {
    std::printf("%-42s %11s %11s %13s  %-22s %s\n", "figure", "Tavrel", "floor", "vs floor",
                "target", "met");
    printRule();
}

void printRow(const char* figure, const char* tavrel, const char* floor, const char* versus,
              const char* target, bool met) {
    std::printf("%-42s %11s %11s %13s  %-22s %s\n", figure, tavrel, floor, versus, target,
                met ? "yes" : "no");
}

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string wineVersion() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    using Getter = const char*(CDECL*)();
    const auto getter = ntdll == nullptr ? nullptr
                                         : reinterpret_cast<Getter>(reinterpret_cast<void*>(
                                               GetProcAddress(ntdll, "wine_get_version")));
    return getter == nullptr ? std::string("Windows") : std::string("Wine ") + getter();
}

struct Figures {
    StartupFigures tavrelStart;
    StartupFigures floorStart;
    IdleFigures idle;
    int idleSeconds = 0;
    unsigned long long tavrelSize = 0;
    unsigned long long floorSize = 0;
    std::vector<double> directLaunchMs;
    double countdownLatenessMs[std::size(kCountdowns)] = {};
    double clockTimeLatenessMs = 0;
};

void printTable(const Figures& f) {
    std::printf(
        "\nTavrel.exe beside the floor (floor_window.exe: one empty window and a message "
        "loop,\nsame toolchain and options), measured in one run under %s.\n\n",
        wineVersion().c_str());
    printHeader();

    const double startMedian = median(f.tavrelStart.startupMs);
    const double floorStartMedian = median(f.floorStart.startupMs);
    const double startWorst = worst(f.tavrelStart.startupMs);
    const double floorStartWorst = worst(f.floorStart.startupMs);
    char label[96];
    std::snprintf(label, sizeof label, "start-up, median of %d (ms)", kStarts);
    printRow(label, format("%.1f", startMedian).c_str(), format("%.1f", floorStartMedian).c_str(),
             format("%.2fx", startMedian / floorStartMedian).c_str(), "<= 1.5x floor",
             startMedian <= 1.5 * floorStartMedian);
    std::snprintf(label, sizeof label, "start-up, worst of %d (ms)", kStarts);
    printRow(label, format("%.1f", startWorst).c_str(), format("%.1f", floorStartWorst).c_str(),
             format("%.2fx", startWorst / floorStartWorst).c_str(), "<= 1.5x floor",
             startWorst <= 1.5 * floorStartWorst);

    const double workingSet = median(f.tavrelStart.workingSetKiB);
    const double floorWorkingSet = median(f.floorStart.workingSetKiB);
    std::printf("%-42s %11s %11s %13s  %-22s %s\n", "working set after start-up (KiB)",
                format("%.0f", workingSet).c_str(), format("%.0f", floorWorkingSet).c_str(),
                format("%+.0f KiB", workingSet - floorWorkingSet).c_str(), "-", "-");
    const double privateBytes = median(f.tavrelStart.privateKiB);
    const double floorPrivateBytes = median(f.floorStart.privateKiB);
    printRow("private bytes after start-up (KiB)", format("%.0f", privateBytes).c_str(),
             format("%.0f", floorPrivateBytes).c_str(),
             format("%+.0f KiB", privateBytes - floorPrivateBytes).c_str(), "<= floor + 1024 KiB",
             privateBytes - floorPrivateBytes <= 1024.0);

    std::snprintf(label, sizeof label, "idle CPU over %d s (%% of one core)", f.idleSeconds);
    // No CPU time counted at all: below one step of the count.
    const double step = kCpuTimeStepMs / (f.idleSeconds * 1000.0) * 100.0;
    const auto idleText = [&](double percent) {
        return percent > 0 ? format("%.3f", percent) : format("<%.3f", step);
    };
    printRow(label, idleText(f.idle.tavrelPercent).c_str(), idleText(f.idle.floorPercent).c_str(),
             format("%+.3f", f.idle.tavrelPercent - f.idle.floorPercent).c_str(), "< 0.05 %",
             f.idle.tavrelPercent < 0.05);

    const double sizeKiB = static_cast<double>(f.tavrelSize) / 1024.0;
    const double floorSizeKiB = static_cast<double>(f.floorSize) / 1024.0;
    printRow("Tavrel.exe size, static release (KiB)", format("%.1f", sizeKiB).c_str(),
             format("%.1f", floorSizeKiB).c_str(),
             format("%+.1f KiB", sizeKiB - floorSizeKiB).c_str(), "< 200 KiB", sizeKiB < 200.0);

    const double directLaunch = median(f.directLaunchMs);
    for (size_t i = 0; i < std::size(kCountdowns); ++i) {
        std::snprintf(label, sizeof label, "countdown %d s: lateness (ms)", kCountdowns[i]);
        const double lateness = f.countdownLatenessMs[i];
        printRow(label, format("%.0f", lateness).c_str(), format("%.0f", directLaunch).c_str(),
                 format("%+.0f ms", lateness - directLaunch).c_str(), "< 100 ms", lateness < 100.0);
    }
    printRow("clock time: launch after the minute (ms)",
             format("%.0f", f.clockTimeLatenessMs).c_str(), format("%.0f", directLaunch).c_str(),
             format("%+.0f ms", f.clockTimeLatenessMs - directLaunch).c_str(), "< 1100 ms",
             f.clockTimeLatenessMs < 1100.0);
    printRule();
    std::printf(
        "Start-up: CreateProcessW to the main window visible, polled every 1 ms, after one\n"
        "unmeasured warm-up start each. Memory: GetProcessMemoryInfo %u ms after the program\n"
        "first waits for input, median of the %d starts; private bytes are PrivateUsage, or\n"
        "PagefileUsage where Wine leaves that empty (Wine: resident anonymous memory).\n"
        "Idle CPU: both programs side by side, untouched; GetProcessTimes, or where Wine\n"
        "reports nothing for another process the sum of GetThreadTimes of its threads\n"
        "(counted in steps of %.0f ms: %.3f %% over %d s).\n"
        "Lateness: from just before the posted click on 按钮1 to the fake shutdown.exe's\n"
        "record of its start, minus the duration; the floor beside it is the fake started\n"
        "directly (CreateProcessW to its record), median of %zu, %d before each launch.\n",
        static_cast<unsigned>(kSettleMs), kStarts, kCpuTimeStepMs,
        kCpuTimeStepMs / (f.idleSeconds * 1000.0) * 100.0, f.idleSeconds, f.directLaunchMs.size(),
        kDirectLaunchesPerRun);
}

int run(int idleSeconds) {
    const Subject tavrel{"Tavrel.exe", e2e::tavrelExePath(), ids::kMainWindowTitle, true};
    const Subject floorWindow{"floor_window.exe", floorExePath(), kFloorTitle, false};
    Figures figures;
    figures.idleSeconds = idleSeconds;
    std::wstring error;
    const auto failed = [&](const char* what) {
        std::fprintf(stderr, "bench: ERROR: %s: %s\n", what, bench::toUtf8(error).c_str());
        return 1;
    };

    // Tavrel.exe launches the system folder's shutdown.exe: prove it is the fake.
    GetDesktopWindow();
    error = bench::probeFakeShutdown(L"bench-measure-" + std::to_wstring(GetTickCount64()));
    if (!error.empty()) {
        return failed("the fake shutdown.exe is not in place; Tavrel.exe was not started");
    }
    if (!fileSize(tavrel.exePath, &figures.tavrelSize) ||
        !fileSize(floorWindow.exePath, &figures.floorSize)) {
        error = tavrel.exePath + L", " + floorWindow.exePath;
        return failed("cannot read the size of the executables");
    }

    if (!measureStartups(tavrel, floorWindow, &figures.tavrelStart, &figures.floorStart, &error)) {
        return failed("start-up");
    }
    if (!measureIdle(tavrel, floorWindow, idleSeconds, &figures.idle, &error)) {
        return failed("idle CPU");
    }
    // The floor of the launches is sampled beside each of them, under the same
    // conditions.
    for (size_t i = 0; i < std::size(kCountdowns); ++i) {
        progress("launch: countdown of %d s", kCountdowns[i]);
        if (!measureDirectLaunch(&figures.directLaunchMs, &error)) {
            return failed("direct launch");
        }
        if (!measureCountdown(kCountdowns[i], &figures.countdownLatenessMs[i], &error)) {
            return failed("countdown");
        }
    }
    progress("launch: clock time");
    if (!measureDirectLaunch(&figures.directLaunchMs, &error)) {
        return failed("direct launch");
    }
    if (!measureClockTime(&figures.clockTimeLatenessMs, &error)) {
        return failed("clock time");
    }
    bench::clearLog(bench::kShutdownLog);

    printTable(figures);
    std::printf("%s\n", kClosingLine);
    std::fflush(stdout);
    return 0;
}

}  // namespace
}  // namespace tavrel::measure

int main(int argc, char** argv) {
    int idleSeconds = tavrel::measure::kDefaultIdleSeconds;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--idle-seconds") == 0 && i + 1 < argc) {
            idleSeconds = std::atoi(argv[++i]);
        } else {
            idleSeconds = 0;
            break;
        }
    }
    if (idleSeconds <= 0) {
        std::fprintf(stderr, "usage: bench_measure [--idle-seconds N]  (N > 0, default %d)\n",
                     tavrel::measure::kDefaultIdleSeconds);
        return 2;
    }
    // Millisecond sleeps for the polling (the default tick on Windows is 15.6 ms).
    timeBeginPeriod(1);
    const int code = tavrel::measure::run(idleSeconds);
    timeEndPeriod(1);
    return code;
}
