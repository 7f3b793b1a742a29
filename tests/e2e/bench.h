// Helpers shared by the bench probe and the end-to-end driver: the fake
// shutdown's log, and launching the system folder's shutdown.exe the way
// Tavrel.exe does.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win/handles.h"

namespace tavrel::bench {

// Owns a kernel handle (process, thread, file) and closes it.
using UniqueHandle = win::UniqueKernelHandle;

// One run of a fake shutdown, as it recorded itself.
struct LogLine {
    unsigned long long timeMs = 0;  // milliseconds since the Unix epoch
    unsigned long pid = 0;
    std::wstring commandLine;
};

// The same clock the fake uses: milliseconds since the Unix epoch.
unsigned long long nowMs();

// The lines of a log; none when the file does not exist.
std::vector<LogLine> readLog(const wchar_t* path);
bool fileExists(const wchar_t* path);
// Removes the log; true when it is gone afterwards.
bool clearLog(const wchar_t* path);

// GetSystemDirectoryW() + "\shutdown.exe".
std::wstring systemShutdownPath();

// Starts the system folder's shutdown.exe by full path with the given command
// line, as Tavrel.exe does. Returns an empty handle and sets *error on failure.
UniqueHandle launchSystemShutdown(const std::wstring& commandLine, DWORD* error);

// Runs the system folder's shutdown.exe with the probe argument and the given
// unique suffix, and checks that the fake recorded exactly that run. Returns an
// empty text when it did, else what went wrong.
std::wstring probeFakeShutdown(const std::wstring& suffix);

std::string toUtf8(const std::wstring& text);
std::wstring fromUtf8(const std::string& text);

}  // namespace tavrel::bench
