// Sentences per second through Put, framing and decoding.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "DecodeListener.h"
#include "DecodeTick.h"

namespace {

// One second of a typical receiver: GGA, GSA, three GSV messages, RMC, VTG.
const std::vector<std::string> kRealisticMix = {
    "$GPGGA,123519.00,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n",
    "$GPGSA,A,3,04,05,09,12,24,25,29,31,,,,,2.5,1.3,2.1*39\r\n",
    "$GPGSV,3,1,11,04,45,123,42,05,12,045,38,09,67,301,45,12,05,210,*70\r\n",
    "$GPGSV,3,2,11,24,33,076,40,25,21,154,36,29,80,012,47,31,15,288,33*7E\r\n",
    "$GPGSV,3,3,11,02,03,330,,14,08,100,21,22,40,250,39*48\r\n",
    "$GPRMC,123519.00,A,4807.0380,N,01131.0000,E,022.4,084.4,230394,003.1,W*6A\r\n",
    "$GPVTG,084.4,T,081.3,M,022.4,N,041.5,K*43\r\n",
};

// The longest sentences the decoder reads field by field: GSV with four satellites.
const std::vector<std::string> kLongGsv = {
    "$GPGSV,3,1,12,04,45,123,42,05,12,045,38,09,67,301,45,12,05,210,31*70\r\n",
    "$GPGSV,3,2,12,24,33,076,40,25,21,154,36,29,80,012,47,31,15,288,33*7E\r\n",
    "$GPGSV,3,3,12,02,03,330,29,14,08,100,21,22,40,250,39,26,55,012,44*48\r\n",
};

void RunIntake(benchmark::State& state, const std::vector<std::string>& mix) {
    std::string stream;
    while (stream.size() < 3000) {
        for (const std::string& s : mix) {
            stream += s;
        }
    }
    ReceiveBuffer ring;
    NavState nav;
    DecodeTick tick(ring, nav);
    DecodeListener listener;
    long long sentences = 0;
    for (auto _ : state) {
        for (char c : stream) {
            ring.Put(static_cast<std::uint8_t>(c));
        }
        int decoded = 0;
        while ((decoded = tick.Run(listener)) > 0) {
            sentences += decoded;
        }
        sentences += tick.Drain(listener);
    }
    benchmark::DoNotOptimize(nav);
    state.counters["sentences/s"] =
        benchmark::Counter(static_cast<double>(sentences), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(stream.size()));
}

void BM_IntakeRealisticMix(benchmark::State& state) {
    RunIntake(state, kRealisticMix);
}
void BM_IntakeLongGsv(benchmark::State& state) {
    RunIntake(state, kLongGsv);
}

BENCHMARK(BM_IntakeRealisticMix);
BENCHMARK(BM_IntakeLongGsv);

}  // namespace

BENCHMARK_MAIN();
