// Entry point of the end-to-end suite. Before any test, the system folder's
// shutdown.exe must prove to be the bench's fake; otherwise no test runs and
// Tavrel.exe is never started.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "bench.h"
#include "bench_paths.h"
#include "driver.h"

namespace {

// Printed only after every test passed. A real shutdown inside Wine would end
// this process too, which can look like a clean exit: the test runner's verdict
// rests on this line, not only on the exit code.
constexpr char kClosingLine[] = "tavrel-e2e: all tests passed";

class FakeShutdownCheck : public testing::Environment {
  public:
    void SetUp() override {
        // In a fresh prefix the first window enumeration may see nothing for
        // seconds unless the desktop window exists first.
        GetDesktopWindow();
        const std::wstring suffix =
            std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(tavrel::bench::nowMs());
        const std::wstring problem = tavrel::bench::probeFakeShutdown(suffix);
        ASSERT_TRUE(problem.empty())
            << tavrel::bench::toUtf8(problem) << "\nRefusing to run Tavrel.exe outside the bench.";
        ASSERT_TRUE(tavrel::bench::clearLog(tavrel::bench::kShutdownLog));
    }
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new FakeShutdownCheck);
    const int result = RUN_ALL_TESTS();
    if (result == 0 && !GTEST_FLAG_GET(list_tests)) {
        std::printf("%s\n", kClosingLine);
        std::fflush(stdout);
    }
    return result;
}
