#include "bench/synthesis_timing.h"

#include "driver/synthesis/reference_tables.h"
#include "driver/synthesis/synthesis.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <vector>

namespace bench {
namespace {

constexpr int Rounds = 11;
constexpr std::int32_t Points = 2048;
constexpr std::int32_t Offset = 120;

template <class Call>
double NanosecondsPerCall(int repetitions, Call call)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repetitions; ++i) {
        call();
    }
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / repetitions;
}

double Median(std::array<double, Rounds> values)
{
    std::nth_element(values.begin(), values.begin() + Rounds / 2, values.end());
    return values[Rounds / 2];
}

}  // namespace

void SynthesisFloor(const std::uint32_t* table, std::int32_t points, std::int32_t offset, double* out)
{
    // Contiguous reads get their own loop, as in the kernel, so that the
    // compiler vectorises them.
    const std::int32_t step = spectra::ReferenceSamples / points;
    if (step == 1) {
        for (std::int32_t i = 0; i < points; ++i) {
            out[i] = static_cast<double>(table[i]) + offset;
        }
        return;
    }
    for (std::int32_t i = 0; i < points; ++i) {
        out[i] = static_cast<double>(table[i * step]) + offset;
    }
}

SynthesisTiming TimeSynthesis(int repetitions)
{
    repetitions = std::max(repetitions, 1);
    const std::uint32_t* table = spectra::BandwidthLimitedSpectra[0].data();
    const double amplitude = spectra::NoiseAmplitude(1000.0);
    std::vector<double> out(Points);
    // Called through a volatile pointer, the floor is neither inlined nor
    // collapsed across repetitions (it stores the same values every time).
    void (*volatile floorCall)(const std::uint32_t*, std::int32_t, std::int32_t, double*) = SynthesisFloor;
    std::array<double, Rounds> kernel{};
    std::array<double, Rounds> floor{};
    for (int round = 0; round < Rounds; ++round) {
        kernel[round] = NanosecondsPerCall(
            repetitions, [&] { spectra::SynthesizeChannel(table, Points, Offset, amplitude, out.data()); });
        floor[round] = NanosecondsPerCall(repetitions, [&] { floorCall(table, Points, Offset, out.data()); });
    }
    return {Median(kernel), Median(floor)};
}

}  // namespace bench
