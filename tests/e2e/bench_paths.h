// Where the bench's fake shutdown programs write their records, inside the
// bench's own Wine prefix. Shared by the fakes, the bench probe and the driver.
#pragma once

namespace tavrel::bench {

constexpr const wchar_t kBenchFolder[] = L"C:\\tavrel-bench";

// Written by the fake installed as the system folder's shutdown.exe.
constexpr const wchar_t kShutdownLog[] = L"C:\\tavrel-bench\\shutdown.log";

// Written by the copy that a test plants beside Tavrel.exe; it must stay absent.
constexpr const wchar_t kPlantedLog[] = L"C:\\tavrel-bench\\planted.log";

// The argument word the bench probe passes, followed by a unique suffix.
constexpr const wchar_t kProbeArgument[] = L"tavrel-probe-";

}  // namespace tavrel::bench
