// Channel synthesis against its floor (the same reads, offset and stores
// without noise). Compare the two with interleaved repetitions, e.g.
//   synthesis_bench --benchmark_repetitions=10 --benchmark_enable_random_interleaving=true
//                   --benchmark_report_aggregates_only=true
#include "bench/synthesis_timing.h"

#include "driver/synthesis/reference_tables.h"
#include "driver/synthesis/synthesis.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

constexpr std::int32_t Offset = 120;

const std::uint32_t* Table()
{
    return spectra::BandwidthLimitedSpectra[0].data();
}

void Synthesis(benchmark::State& state)
{
    const auto points = static_cast<std::int32_t>(state.range(0));
    const double amplitude = spectra::NoiseAmplitude(1000.0);
    std::vector<double> out(points);
    for (auto _ : state) {
        spectra::SynthesizeChannel(Table(), points, Offset, amplitude, out.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * points);
}

void SynthesisWithoutTable(benchmark::State& state)
{
    const auto points = static_cast<std::int32_t>(state.range(0));
    const double amplitude = spectra::NoiseAmplitude(1000.0);
    std::vector<double> out(points);
    for (auto _ : state) {
        spectra::SynthesizeChannel(nullptr, points, Offset, amplitude, out.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * points);
}

void SynthesisFloor(benchmark::State& state)
{
    const auto points = static_cast<std::int32_t>(state.range(0));
    std::vector<double> out(points);
    for (auto _ : state) {
        bench::SynthesisFloor(Table(), points, Offset, out.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * points);
}

// The self-contained timing the reference host uses, as a ratio.
void SynthesisToFloorRatio(benchmark::State& state)
{
    bench::SynthesisTiming timing{};
    for (auto _ : state) {
        timing = bench::TimeSynthesis(200);
    }
    state.counters["kernel_ns"] = timing.kernelNs;
    state.counters["floor_ns"] = timing.floorNs;
    state.counters["ratio"] = timing.kernelNs / timing.floorNs;
}

}  // namespace

BENCHMARK(Synthesis)->Arg(2048)->Arg(1024);
BENCHMARK(SynthesisFloor)->Arg(2048)->Arg(1024);
BENCHMARK(SynthesisWithoutTable)->Arg(2048);
BENCHMARK(SynthesisToFloorRatio)->Iterations(5)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
