// The signal history and the position statistics at their largest: a day of 64 satellite
// signals at 1 Hz, and a day of fixes.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "PositionStatistics.h"
#include "SignalHistory.h"

namespace {

constexpr int kSatellites = 64;
constexpr int kDay = 86400;
constexpr int kColumns = 1000;

void FillSecond(SignalHistory& history, int second) {
    const double t = second;
    history.SetInView(t, kSatellites);
    history.SetUsed(t, 12 + second % 8);
    history.SetDilutions(t, 1.8 + (second % 50) / 100.0, 0.9, 1.5);
    for (int k = 0; k < kSatellites; ++k) {
        history.AddCarrierToNoise(t, static_cast<std::uint32_t>(k), "", 25 + (second / 7 + k) % 25);
    }
}

std::unique_ptr<SignalHistory> FullDay() {
    auto history = std::make_unique<SignalHistory>();
    for (int s = 0; s < kDay; ++s) {
        FillSecond(*history, s);
    }
    return history;
}

const SignalHistory& SharedDay() {
    static const std::unique_ptr<SignalHistory> day = FullDay();
    return *day;
}

// Filling a day; the counters say what it holds: the history's own count and the heap's
// growth while it was filled.
void BM_FillDay(benchmark::State& state) {
    std::size_t counted = 0;
    std::size_t heap = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        std::unique_ptr<SignalHistory> history = FullDay();
        heap = mallinfo2().uordblks - before;
        counted = history->MemoryBytes();
        benchmark::DoNotOptimize(history.get());
    }
    state.counters["history_MB"] = static_cast<double>(counted) / 1e6;
    state.counters["heap_MB"] = static_cast<double>(heap) / 1e6;
    state.counters["seconds/s"] = benchmark::Counter(static_cast<double>(kDay),
                                                     benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_FillDay)->Unit(benchmark::kMillisecond);

// One second more on a full day: the ring comes round and the oldest second is dropped.
void BM_AddSecondToFullDay(benchmark::State& state) {
    std::unique_ptr<SignalHistory> history = FullDay();
    int second = kDay;
    for (auto _ : state) {
        FillSecond(*history, second++);
    }
}
BENCHMARK(BM_AddSecondToFullDay)->Unit(benchmark::kMicrosecond);

void Query24h(benchmark::State& state, const std::vector<SeriesId>& series) {
    const SignalHistory& history = SharedDay();
    std::vector<ColumnRange> columns(kColumns);
    const TimeWindow window = history.Last(kDay);
    for (auto _ : state) {
        for (const SeriesId& id : series) {
            history.Query(id, window, columns);
            benchmark::DoNotOptimize(columns.data());
        }
    }
}

void BM_Query24hOneCarrierToNoise(benchmark::State& state) {
    Query24h(state, {{SeriesKind::CarrierToNoise, 5}});
}
BENCHMARK(BM_Query24hOneCarrierToNoise)->Unit(benchmark::kMicrosecond);

// The whole C/N0 chart: every satellite's series.
void BM_Query24hAllCarrierToNoise(benchmark::State& state) {
    std::vector<SeriesId> series;
    for (int k = 0; k < kSatellites; ++k) {
        series.push_back({SeriesKind::CarrierToNoise, static_cast<std::uint32_t>(k)});
    }
    Query24h(state, series);
}
BENCHMARK(BM_Query24hAllCarrierToNoise)->Unit(benchmark::kMillisecond);

// The other two charts: in view and used, and the three dilutions.
void BM_Query24hCountsAndDops(benchmark::State& state) {
    Query24h(state, {{SeriesKind::InView},
                     {SeriesKind::Used},
                     {SeriesKind::Pdop},
                     {SeriesKind::Hdop},
                     {SeriesKind::Vdop}});
}
BENCHMARK(BM_Query24hCountsAndDops)->Unit(benchmark::kMillisecond);

// A day of fixes at 1 Hz, computed again as the statistics view does every second.
void BM_SurveySummaryDay(benchmark::State& state) {
    PositionStatistics statistics;
    for (int s = 0; s < kDay; ++s) {
        statistics.Add(s, {52.2 + 1e-5 * std::sin(s / 30.0), 6.88 + 1e-5 * std::cos(s / 41.0),
                           100.0 + std::sin(s / 17.0)});
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(statistics.Summary());
    }
}
BENCHMARK(BM_SurveySummaryDay)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
