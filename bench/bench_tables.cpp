// Speed of the arithmetic and of table generation. Targets: all 360 entries
// in at most 20 microseconds.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "dial/dial_tables.h"
#include "driver/table_file.h"
#include "io/platform/memory_files.h"
#include "io/text_channel.h"
#include "table/hand_tip.h"
#include "table/table_writer.h"
#include "table/trig.h"

namespace hndpos {
namespace {

std::vector<Extended> random_arguments() {
    std::mt19937_64 random(1);
    std::vector<Extended> args;
    while (args.size() < 4096) {
        const Extended x{false, static_cast<std::uint16_t>(extended_bias - 20 + static_cast<int>(random() % 22)),
                         random() | (std::uint64_t{1} << 63)};
        args.push_back(x);
    }
    return args;
}

void BM_SinRandom(benchmark::State& state) {
    const auto args = random_arguments();
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(extended_sin(args[i++ % args.size()]));
}
BENCHMARK(BM_SinRandom);

void BM_CosRandom(benchmark::State& state) {
    const auto args = random_arguments();
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(extended_cos(args[i++ % args.size()]));
}
BENCHMARK(BM_CosRandom);

// The hardest arguments that tools/hard_cases.c found, against a typical
// one: a result within 2^-61 of a rounding boundary (sine) and one within
// 2^-21 units of the last place (cosine) need the widened precision.
constexpr Extended hardest_sin_argument{false, 0x3FE1, 0xC000000000000000};
constexpr Extended hardest_cos_argument{false, 0x3FDF, 0x8000000000000000};
constexpr Extended typical_argument{false, 0x3FFE, 0xB17217F7D1CF79AC};

void BM_SinHardest(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(extended_sin(hardest_sin_argument));
}
BENCHMARK(BM_SinHardest);

void BM_CosHardest(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(extended_cos(hardest_cos_argument));
}
BENCHMARK(BM_CosHardest);

void BM_SinTypical(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(extended_sin(typical_argument));
}
BENCHMARK(BM_SinTypical);

void BM_CosTypical(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(extended_cos(typical_argument));
}
BENCHMARK(BM_CosTypical);

// Both of the typical argument at once, without a division.
void BM_SinCosTypical(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(extended_sin_cos(typical_argument));
}
BENCHMARK(BM_SinCosTypical);

// The 120 values of the clock angles computed at run time (the program
// itself has them from the build).
void BM_ClockAngles120AtRunTime(benchmark::State& state) {
    for (auto _ : state) {
        for (int j = 0; j < position_count; ++j) {
            const Extended angle = extended_multiply(extended_from_int32(j), AngleStep);
            benchmark::DoNotOptimize(extended_sin(angle));
            benchmark::DoNotOptimize(extended_cos(angle));
        }
    }
}
BENCHMARK(BM_ClockAngles120AtRunTime)->Unit(benchmark::kMicrosecond);

void BM_All360Entries(benchmark::State& state) {
    const HandParams params{83, 30, 9, 13, 14};
    for (auto _ : state) {
        for (int hand = 0; hand < hand_count; ++hand)
            for (int position = 0; position < position_count; ++position) {
                benchmark::DoNotOptimize(tip_x(params, hand, position));
            }
        for (int hand = 0; hand < hand_count; ++hand)
            for (int position = 0; position < position_count; ++position) {
                benchmark::DoNotOptimize(tip_y(params, hand, position));
            }
    }
}
BENCHMARK(BM_All360Entries)->Unit(benchmark::kMicrosecond);

// The whole file and the summary line, written to memory instead of the system.
void BM_WholeFileInMemory(benchmark::State& state) {
    platform::MemoryFiles memory;
    const platform::SystemCalls saved = platform::use_memory_files(memory);
    const HandParams params{83, 30, 9, 13, 14};
    for (auto _ : state) {
        memory.standard_output.clear();
        assign_channel(console_output, "");
        generate_tables(params);
        close_channel(console_output);
        benchmark::DoNotOptimize(memory.files.size());
    }
    platform::system_calls() = saved;
    state.counters["bytes"] = static_cast<double>(memory.standard_output.size() + memory.find("hpostbl.c")->size());
}
BENCHMARK(BM_WholeFileInMemory)->Unit(benchmark::kMicrosecond);

// hndpos-tables' arithmetic: every entry of three hands with N positions
// each; the cost per entry as N grows (items are entries).
void BM_WideTables(benchmark::State& state) {
    const int positions = static_cast<int>(state.range(0));
    const DialParams params{160, 120, {60, 90, 100}, {positions, positions, positions}, {}, {}};
    for (auto _ : state) benchmark::DoNotOptimize(compute_dial_tables(params));
    state.SetItemsProcessed(state.iterations() * positions * 6);
}
BENCHMARK(BM_WideTables)->Arg(60)->Arg(720)->Arg(3600)->Arg(43200)->Unit(benchmark::kMicrosecond);

// The tips of 720/60/60 positions (BM_TipsOnly720) and, beside them, three
// 8-point figures of 720 positions, in either rounding (0 extended, 1
// nearest): the figures share the hour hand's sines and cosines.
DialParams tips_720_60_60() { return {233, 233, {120, 180, 200}, {720, 60, 60}, {}, {}}; }

void BM_TipsOnly720(benchmark::State& state) {
    const DialParams params = tips_720_60_60();
    for (auto _ : state) benchmark::DoNotOptimize(compute_dial_tables(params));
}
BENCHMARK(BM_TipsOnly720)->Unit(benchmark::kMicrosecond);

void BM_ThreeFigures720(benchmark::State& state) {
    DialParams params = tips_720_60_60();
    params.rule.rounding = state.range(0) == 0 ? Rounding::extended : Rounding::nearest;
    const std::vector<FigurePoint> outline = {{-24, -6}, {-8, -9}, {40, -5}, {120, 0},
                                              {40, 5},   {-8, 9},  {-24, 6}, {-30, 0}};
    for (const char* name : {"hour_shape", "minute_shape", "second_shape"})
        params.figures.push_back({name, 720, outline});
    for (auto _ : state) benchmark::DoNotOptimize(compute_dial_tables(params));
    state.SetItemsProcessed(state.iterations() * 3 * 720 * 8 * 2);
}
BENCHMARK(BM_ThreeFigures720)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace hndpos

BENCHMARK_MAIN();
