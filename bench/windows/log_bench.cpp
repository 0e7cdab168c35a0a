// veloxan-log-bench.exe: the time of one line of Veloxan.log with the
// module's log code built for Windows, calling the system's own file
// functions (under wine on the build machine). The log goes beside this
// program, as it goes beside Veloxan.asi in the game.
//
//   veloxan-log-bench.exe [RUNS]        (default 9 runs of 2000 lines)
//
// Prints each run's time per line and the median.

#include "game/log.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Well below the log's cap, which would otherwise stop the writes.
constexpr int kLinesPerRun = 2000;

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// The size of the log beside this program, to show that the lines arrived.
long long LogBytes() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return -1;
    }
    wchar_t* slash = wcsrchr(path, L'\\');
    if (slash == nullptr || (slash - path) + 13 >= MAX_PATH) {
        return -1;
    }
    wcscpy(slash + 1, L"Veloxan.log");
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) {
        return -1;
    }
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 9;
    if (runs <= 0) {
        std::fprintf(stderr, "usage: veloxan-log-bench.exe [RUNS]\n");
        return 2;
    }
    std::vector<double> microseconds;
    long long bytes = 0;
    for (int run = 0; run < runs; ++run) {
        // Each run starts a fresh log, as a load does.
        LogOpen(true);
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        for (int line = 0; line < kLinesPerRun; ++line) {
            LogBegin("boost launched at ");
            LogFixed(14.9f, 1);
            LogText(" m/s");
            LogEnd();
        }
        QueryPerformanceCounter(&end);
        microseconds.push_back(Seconds(start, end) * 1e6 / kLinesPerRun);
        bytes = LogBytes();
        std::printf("run %d: %.2f us per line, log %lld bytes\n", run + 1, microseconds.back(),
                    bytes);
    }
    std::sort(microseconds.begin(), microseconds.end());
    std::printf("median of %d runs of %d lines: %.2f us per line (%.1f bytes per line)\n", runs,
                kLinesPerRun, microseconds[microseconds.size() / 2],
                static_cast<double>(bytes) / kLinesPerRun);
    return 0;
}
