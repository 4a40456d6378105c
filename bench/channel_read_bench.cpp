// A whole CRVDEV_GetChannelData of one 2048-point channel, through the built
// driver library's export as a host calls it, against its floor: the same
// table samples converted to double and stored into the same buffer.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "bench/synthesis_timing.h"
#include "driver/synthesis/reference_tables.h"
#include "tools/crvhost/session.h"

namespace {

constexpr std::int32_t Points = 2048;

// The driver next to a configuration file of 2048 points, in a folder of its own.
std::string PreparedDriver()
{
    const auto folder = std::filesystem::temp_directory_path() / "simulator-channel-read-bench";
    std::filesystem::create_directories(folder);
    const auto library = folder / std::filesystem::path(SIMULATOR_LIBRARY).filename();
    std::filesystem::copy_file(SIMULATOR_LIBRARY, library, std::filesystem::copy_options::overwrite_existing);
    std::ofstream(std::filesystem::path(library).replace_extension(".CFG"))
        << "[Simulator Configuration]\nSpecSize=" << Points << "\n";
    return library.string();
}

void ChannelRead(benchmark::State& state)
{
    const crvhost::DriverSession session(PreparedDriver(), nullptr, nullptr);
    std::vector<double> buffer(Points);
    for (auto _ : state) {
        if (session.Api().GetChannelData(0, buffer.data()) != Points) {
            state.SkipWithError("CRVDEV_GetChannelData refused the read");
            break;
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * Points);
}

void ChannelReadFloor(benchmark::State& state)
{
    const std::uint32_t* table = spectra::SelectReferenceTable(spectra::SpecBandwidthLimited, 0);
    std::vector<double> buffer(Points);
    for (auto _ : state) {
        bench::SynthesisFloor(table, Points, 0, buffer.data());
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * Points);
}

}  // namespace

BENCHMARK(ChannelRead);
BENCHMARK(ChannelReadFloor);
