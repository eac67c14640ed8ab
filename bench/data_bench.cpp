// Opening and saving a scenario file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "bench/large_scenario.h"
#include "data/scenario_file.h"

namespace {

using namespace dovanel;
using bench::kOneMegabyte;
using bench::LargeScenario;

// The document switch's worst case: a 1 MB file read and parsed from disk.
void BM_OpenScenarioFile1MB(benchmark::State& state) {
    char path[] = "/tmp/dovanel-bench-XXXXXX";
    const int fd = ::mkstemp(path);
    if (fd < 0) return state.SkipWithError("no temporary file");
    ::close(fd);
    const std::string text = ScenarioFileText(LargeScenario(kOneMegabyte));
    std::ofstream(path, std::ios::binary) << text;
    for (auto _ : state) {
        Scenario s;
        if (!ReadScenarioFile(path, s)) state.SkipWithError("the file did not read");
        benchmark::DoNotOptimize(s);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    std::remove(path);
}
BENCHMARK(BM_OpenScenarioFile1MB)->Unit(benchmark::kMillisecond);

void BM_ScenarioFileText1MB(benchmark::State& state) {
    const Scenario s = LargeScenario(kOneMegabyte);
    for (auto _ : state) benchmark::DoNotOptimize(ScenarioFileText(s));
}
BENCHMARK(BM_ScenarioFileText1MB)->Unit(benchmark::kMillisecond);

// A typical scenario, written and read back: what a save or a recovery copy costs.
void BM_TypicalScenarioRoundTrip(benchmark::State& state) {
    const Scenario s = LargeScenario(0);
    for (auto _ : state) {
        Scenario read;
        benchmark::DoNotOptimize(ParseScenarioText(ScenarioFileText(s), read));
    }
}
BENCHMARK(BM_TypicalScenarioRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace
