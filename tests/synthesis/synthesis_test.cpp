#include "driver/synthesis/synthesis.h"

#include "driver/synthesis/reference_tables.h"
#include "driver/synthesis/synthesis_paths.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numeric>
#include <thread>
#include <vector>

namespace {

using spectra::NoiseAmplitude;
using spectra::SynthesizeChannel;
using spectra::paths::Path;

// The vector paths this processor runs; SynthesizeChannel takes the last.
std::vector<Path> SupportedPaths()
{
    std::vector<Path> paths;
    for (const Path path : {Path::Sse2, Path::Avx2}) {
        if (spectra::paths::Supported(path)) {
            paths.push_back(path);
        }
    }
    return paths;
}

const char* NameOf(Path path)
{
    return path == Path::Avx2 ? "AVX2 path" : "SSE2 path";
}

// The synthesis as defined, one draw after the other: the reference the fast
// kernel must match bit for bit.
struct SerialGenerator {
    std::uint32_t state = 1;

    std::uint32_t Draw()
    {
        state = state * 22695477u + 1u;
        return (state >> 16) & 0x7FFFu;
    }
};

void SerialSynthesize(SerialGenerator& generator, const std::uint32_t* table, std::int32_t points,
                      std::int32_t offset, double amplitude, double* out)
{
    const std::int32_t step = 2048 / points;
    for (std::int32_t i = 0; i < points; ++i) {
        const double noise = (generator.Draw() * (1.0 / 32767)) * amplitude;
        const double sample = table != nullptr ? static_cast<double>(table[i * step]) : 0.0;
        out[i] = noise + (sample + offset);
    }
}

// Runs f on a new thread, whose noise sequence starts from state 1.
template <class F>
void OnFreshThread(F f)
{
    std::thread thread(f);
    thread.join();
}

std::uint64_t Fnv1a(std::uint64_t hash, const double* values, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(values[i]);
        for (int byte = 0; byte < 8; ++byte) {
            hash = (hash ^ ((bits >> (8 * byte)) & 0xFFu)) * 1099511628211ull;
        }
    }
    return hash;
}

constexpr std::uint64_t FnvOffsetBasis = 14695981039346656037ull;

const std::array<std::uint32_t, 2048>& IdentityTable()  // sample i is i
{
    static const std::array<std::uint32_t, 2048> table = [] {
        std::array<std::uint32_t, 2048> t{};
        std::iota(t.begin(), t.end(), 0u);
        return t;
    }();
    return table;
}

const std::array<std::uint32_t, 2048>& HighSamplesTable()  // samples at and above 2^31
{
    static const std::array<std::uint32_t, 2048> table = [] {
        std::array<std::uint32_t, 2048> t{};
        for (std::size_t i = 0; i < t.size(); ++i) {
            t[i] = 0xFFFFFFFFu - static_cast<std::uint32_t>(i * 1048573u);
        }
        return t;
    }();
    return table;
}

double HalfUnitInTenthDigit(double x)
{
    return std::pow(10.0, std::floor(std::log10(std::fabs(x))) - 9) / 2;
}

TEST(NoiseGenerator, FirstValuesOfAThread)
{
    std::vector<std::uint32_t> values;
    OnFreshThread([&] {
        for (int i = 0; i < 5; ++i) {
            values.push_back(spectra::NoiseGenerator::Draw());
        }
    });
    EXPECT_EQ(values, (std::vector<std::uint32_t>{346, 130, 10982, 1090, 11656}));
}

TEST(SynthesizeChannel, FirstReadOfAThreadWithoutTable)
{
    const double expected[] = {0.9786656500, 0.3677067471, 31.06273459, 3.083079649, 32.96915265};
    for (const std::int32_t offset : {0, 120, 20}) {
        double out[5] = {};
        OnFreshThread([&] { SynthesizeChannel(nullptr, 5, offset, NoiseAmplitude(1000.0), out); });
        for (int i = 0; i < 5; ++i) {
            EXPECT_NEAR(out[i] - offset, expected[i], HalfUnitInTenthDigit(expected[i]))
                << "offset " << offset << " point " << i;
        }
    }
}

TEST(SynthesizeChannel, ThreadsStartTheirOwnSequences)
{
    std::array<std::array<double, 5>, 2> out{};
    std::thread first([&] { SynthesizeChannel(nullptr, 5, 0, NoiseAmplitude(1000.0), out[0].data()); });
    std::thread second([&] { SynthesizeChannel(nullptr, 5, 0, NoiseAmplitude(1000.0), out[1].data()); });
    first.join();
    second.join();
    EXPECT_EQ(out[0], out[1]);
    EXPECT_NEAR(out[0][0], 0.9786656500, 1e-10);
}

TEST(SynthesizeChannel, NoiseIsOneSidedAboveSampleAndOffset)
{
    for (const double ratio : {1000.0, 1.0}) {
        const double amplitude = NoiseAmplitude(ratio);
        for (const std::int32_t type : {0, 1, 2}) {
            for (std::int32_t channel = 0; channel < 5; ++channel) {
                const std::uint32_t* table = spectra::SelectReferenceTable(type, channel);
                const std::int32_t offset = spectra::BaselineShifts[channel];
                std::vector<double> out(2048);
                SynthesizeChannel(table, 2048, offset, amplitude, out.data());
                int outside = 0;
                for (int i = 0; i < 2048; ++i) {
                    const double base = static_cast<double>(table[i]) + offset;
                    if (!(out[i] >= base && out[i] <= base + amplitude) && outside++ == 0) {
                        ADD_FAILURE() << "type " << type << " channel " << channel << " point " << i << ": "
                                      << out[i] << " outside [" << base << ", " << base + amplitude << "]";
                    }
                }
            }
        }
    }
}

TEST(SynthesizeChannel, ReadsEveryStepthTableEntryFromZero)
{
    struct Row {
        std::int32_t points;
        std::int32_t step;
    };
    for (const Row row : {Row{2048, 1}, Row{1024, 2}, Row{1500, 1}, Row{3, 682}, Row{2047, 1}, Row{1025, 1},
                          Row{683, 2}, Row{682, 3}, Row{1, 2048}}) {
        std::vector<double> out(row.points);
        SynthesizeChannel(IdentityTable().data(), row.points, 50, 0.0, out.data());
        for (std::int32_t i = 0; i < row.points; ++i) {
            ASSERT_EQ(out[i], static_cast<double>(i * row.step + 50)) << row.points << " points, point " << i;
        }
    }
}

TEST(SynthesizeChannel, HalfSizeCalibrationShowsOnlyEvenMarks)
{
    std::vector<double> out(1024);
    SynthesizeChannel(spectra::CalibrationSpectrum.data(), 1024, 0, 0.0, out.data());
    std::vector<int> marks;
    for (int i = 0; i < 1024; ++i) {
        if (out[i] != 0.0) {
            EXPECT_EQ(out[i], 32000.0) << "point " << i;
            marks.push_back(i);
        }
    }
    EXPECT_EQ(marks, (std::vector<int>{11,  79,  102, 170, 193, 261, 284, 352, 375, 443, 466,
                                       557, 580, 648, 671, 739, 762, 830, 853, 921, 944, 1012}));
}

TEST(SynthesizeChannel, WritesOnlyItsPoints)
{
    constexpr double Sentinel = -12345.0;
    for (const Path path : SupportedPaths()) {
        for (const std::int32_t points : {1, 7, 8, 9, 15, 16, 17, 1023, 2047, 2048}) {
            std::vector<double> buffer(points + 16, Sentinel);
            spectra::paths::SynthesizeChannelOn(path, spectra::ChirpedSpectra[3].data(), points, 80,
                                                NoiseAmplitude(1000.0), buffer.data());
            for (std::int32_t i = points; i < points + 16; ++i) {
                EXPECT_EQ(buffer[i], Sentinel) << NameOf(path) << ", " << points << " points, index " << i;
            }
        }
    }
}

// Every size, tables read contiguously, with a stride or not at all, samples
// at and above 2^31, extreme offsets and amplitudes, one call after another on
// one thread: on every path, the output and the generator's state afterwards
// are those of the one-draw-at-a-time definition.
TEST(SynthesizeChannel, MatchesTheSerialDefinitionBitForBit)
{
    const std::uint32_t* tables[] = {nullptr, spectra::BandwidthLimitedSpectra[3].data(), HighSamplesTable().data(),
                                     spectra::CalibrationSpectrum.data()};
    const std::int32_t offsets[] = {0, 120, -7, std::numeric_limits<std::int32_t>::min(),
                                    std::numeric_limits<std::int32_t>::max()};
    const double amplitudes[] = {NoiseAmplitude(1000.0), 0.0, 1e300, 3.5, NoiseAmplitude(1.0)};
    for (const Path path : SupportedPaths()) {
        SCOPED_TRACE(NameOf(path));
        int mismatches = 0;
        std::uint32_t nextDraw = 0;
        std::uint32_t expectedNextDraw = 0;
        OnFreshThread([&] {
            SerialGenerator reference;
            int call = 0;
            for (std::int32_t points = 1; points <= 2048; ++points) {
                for (int repeat = 0; repeat < 2; ++repeat, ++call) {
                    const std::uint32_t* table = tables[call % 4];
                    const std::int32_t offset = offsets[call % 5];
                    const double amplitude = amplitudes[call % 5 == 0 ? 0 : (call / 5) % 5];
                    std::vector<double> fast(points);
                    std::vector<double> serial(points);
                    spectra::paths::SynthesizeChannelOn(path, table, points, offset, amplitude, fast.data());
                    SerialSynthesize(reference, table, points, offset, amplitude, serial.data());
                    if (std::memcmp(fast.data(), serial.data(), points * sizeof(double)) != 0 && mismatches++ < 5) {
                        for (std::int32_t i = 0; i < points; ++i) {
                            if (std::bit_cast<std::uint64_t>(fast[i]) != std::bit_cast<std::uint64_t>(serial[i])) {
                                ADD_FAILURE() << points << " points, call " << call << ", point " << i << ": "
                                              << fast[i] << " vs " << serial[i];
                                break;
                            }
                        }
                    }
                }
            }
            nextDraw = spectra::NoiseGenerator::Draw();
            expectedNextDraw = reference.Draw();
        });
        EXPECT_EQ(mismatches, 0);
        EXPECT_EQ(nextDraw, expectedNextDraw);
    }
}

// A fixed sequence of reads hashed: every build (native and 32-bit Windows)
// and every path must produce the same bits.
TEST(SynthesizeChannel, SameBitsInEveryBuild)
{
    for (const Path path : SupportedPaths()) {
        std::uint64_t hash = FnvOffsetBasis;
        OnFreshThread([&] {
            const double ratios[] = {1000.0, 37.5, 1.0};
            int call = 0;
            for (const std::int32_t type : {0, 1, 2, 3, 7}) {
                for (std::int32_t channel = 0; channel < 5; ++channel) {
                    for (const std::int32_t points : {2048, 1024, 1500, 3, 2047, 1}) {
                        std::vector<double> out(points);
                        spectra::paths::SynthesizeChannelOn(path, spectra::SelectReferenceTable(type, channel), points,
                                                            spectra::BaselineShifts[channel],
                                                            NoiseAmplitude(ratios[call++ % 3]), out.data());
                        hash = Fnv1a(hash, out.data(), out.size());
                    }
                }
            }
        });
        EXPECT_EQ(hash, 2812875652457708784ull) << NameOf(path);
    }
}

TEST(NoiseAmplitude, FollowsTheRatio)
{
    EXPECT_EQ(NoiseAmplitude(1000.0), 92.68189986816);
    EXPECT_EQ(NoiseAmplitude(1.0), 92681.89986816);
    EXPECT_EQ(NoiseAmplitude(1e-300), 92681.89986816 / 1e-300);
}

TEST(NoiseAmplitude, UnusableRatiosGiveNoNoise)
{
    constexpr double Inf = std::numeric_limits<double>::infinity();
    const double ratios[] = {0.0, -0.0, -1.0, -Inf, Inf, std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::denorm_min(), 1e-310};
    for (const double ratio : ratios) {
        const double amplitude = NoiseAmplitude(ratio);
        EXPECT_EQ(amplitude, 0.0) << "ratio " << ratio;
        std::vector<double> out(2048);
        SynthesizeChannel(spectra::BandwidthLimitedSpectra[0].data(), 2048, 120, amplitude, out.data());
        for (int i = 0; i < 2048; ++i) {
            ASSERT_EQ(out[i], spectra::BandwidthLimitedSpectra[0][i] + 120.0) << "ratio " << ratio << " point " << i;
        }
    }
}

}  // namespace
