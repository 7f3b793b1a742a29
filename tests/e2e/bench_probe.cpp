// Checks that the system folder's shutdown.exe of this Wine prefix is the
// bench's fake: runs it by full path, as Tavrel.exe does, with a probe argument
// and looks for the record. Exit code 0 only when the record is there.
#include <cstdio>
#include <string>

#include "bench.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_probe UNIQUE-SUFFIX\n");
        return 2;
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
