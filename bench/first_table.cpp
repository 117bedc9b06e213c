// The whole file made in memory as the first work of a fresh process, then
// again: how much of a run the table costs before its code and data are in
// the caches. Prints both times in µs; run it many times and take medians:
//
//   for i in $(seq 300); do ./hndpos_first_table; done >runs.txt
//   cut -d' ' -f1 runs.txt | sort -n | sed -n 150p; cut -d' ' -f2 runs.txt | sort -n | sed -n 150p
#include <time.h>

#include <cstdio>

#include "table/table_writer.h"

namespace {

struct CountingSink : hndpos::LineSink {
    std::size_t bytes = 0;
    void take(std::string_view line) override { bytes += line.size(); }
};

double microseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

}  // namespace

int main() {
    const hndpos::HandParams params{83, 30, 9, 13, 14};
    CountingSink sink;
    const double start = microseconds();
    hndpos::make_table_lines(params, sink);
    const double first = microseconds();
    hndpos::make_table_lines(params, sink);
    const double second = microseconds();
    std::printf("%.2f %.2f %zu\n", first - start, second - first, sink.bytes);
}
