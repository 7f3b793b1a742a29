// The bench's helper inside the Wine prefix.
//
//   bench_probe SUFFIX          checks that the system folder's shutdown.exe is
//                               the bench's fake: runs it by full path, as
//                               Tavrel.exe does, with a probe argument and looks
//                               for the record. Exit code 0 only when it is there.
//   bench_probe --keep-desktop  attaches to the desktop and stays until ended.
//                               While it lives, Wine's desktop process (started
//                               here, with the bench's log as its output) stays
//                               too; otherwise each test process would start a new
//                               one that holds the test runner's output open for a
//                               second or two after the test ends.
#include <cstdio>
#include <cstring>
#include <string>

#include "bench.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_probe UNIQUE-SUFFIX | --keep-desktop\n");
        return 2;
    }
    if (std::strcmp(argv[1], "--keep-desktop") == 0) {
        GetDesktopWindow();
        std::printf("desktop kept\n");
        std::fflush(stdout);
        Sleep(INFINITE);
        return 0;
    }
    const std::wstring suffix = tavrel::bench::fromUtf8(argv[1]);
    const std::wstring problem = tavrel::bench::probeFakeShutdown(suffix);
    if (!problem.empty()) {
        std::fprintf(stderr, "bench probe: %s\n", tavrel::bench::toUtf8(problem).c_str());
        return 1;
    }
    std::printf("bench probe: %s is the fake\n",
                tavrel::bench::toUtf8(tavrel::bench::systemShutdownPath()).c_str());
    return 0;
}
