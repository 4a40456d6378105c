#include "driver/synthesis/reference_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

namespace {

using spectra::BandwidthLimitedSpectra;
using spectra::CalibrationSpectrum;
using spectra::ChirpedSpectra;
using spectra::ReferenceTable;

struct NamedTable {
    const char* name;
    const ReferenceTable& table;
};

const NamedTable PulseTables[] = {
    {"B0", BandwidthLimitedSpectra[0]}, {"B1", BandwidthLimitedSpectra[1]}, {"B2", BandwidthLimitedSpectra[2]},
    {"B3", BandwidthLimitedSpectra[3]}, {"C0", ChirpedSpectra[0]},          {"C1", ChirpedSpectra[1]},
    {"C2", ChirpedSpectra[2]},          {"C3", ChirpedSpectra[3]},
};

std::vector<int> PixelsWith(const ReferenceTable& t, std::uint32_t value)
{
    std::vector<int> pixels;
    for (int i = 0; i < spectra::ReferenceSamples; ++i) {
        if (t[i] == value) {
            pixels.push_back(i);
        }
    }
    return pixels;
}

// Pixels whose sample is higher than the left neighbour and not lower than the
// right one, within [from, to].
std::vector<int> LocalMaxima(const ReferenceTable& t, int from, int to)
{
    std::vector<int> maxima;
    for (int i = from; i <= to; ++i) {
        if (t[i] > t[i - 1] && t[i] >= t[i + 1]) {
            maxima.push_back(i);
        }
    }
    return maxima;
}

TEST(ReferenceSpectra, SamplesOnChosenPixels)
{
    struct Row {
        int pixel;
        std::uint32_t expected[8];  // B0..B3, C0..C3
    };
    const Row rows[] = {
        {824, {4190, 1040, 11644, 1803, 9994, 3853, 17982, 5714}},
        {924, {32955, 15288, 3759, 2764, 40954, 24219, 4191, 1829}},
        {1000, {62992, 47014, 4174, 3986, 63785, 52219, 4200, 3069}},
        {1016, {65248, 53827, 481, 597, 65339, 57282, 482, 322}},
        {1023, {65531, 56481, 62763, 60781, 65533, 59199, 62764, 61814}},
        {1024, {65536, 56839, 65536, 63657, 65536, 59456, 65536, 64213}},
        {1039, {64530, 61474, 64950, 65536, 64846, 62730, 65109, 65536}},
        {1047, {63196, 63293, 165, 169, 63926, 63994, 166, 167}},
        {1069, {57019, 65536, 60447, 63043, 59584, 65536, 61792, 63347}},
        {1124, {32955, 53437, 3759, 4177, 40954, 56998, 4191, 2971}},
        {1224, {4190, 12704, 11644, 5939, 9994, 21339, 17982, 12748}},
    };
    for (const Row& row : rows) {
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(PulseTables[k].table[row.pixel], row.expected[k])
                << PulseTables[k].name << " pixel " << row.pixel;
        }
    }
}

TEST(ReferenceSpectra, PeaksRangesAndSums)
{
    struct Row {
        NamedTable table;
        std::vector<int> peakPixels;  // where the largest sample, 65536, lies
        int firstNonZero;
        int lastNonZero;
        int nonZeroCount;
        std::uint64_t sum;
        // The expected sums are those of the original device tables, which lie
        // one count below the rounded closed forms on a few dozen chirped
        // samples and on one sample each of the sheared and interference
        // bandwidth-limited tables.
        std::uint64_t sumTolerance;
    };
    const Row rows[] = {
        {PulseTables[0], {1024}, 610, 1438, 829, 14009896, 0},
        {PulseTables[1], {1069, 1070}, 656, 1483, 828, 14010125, 1},
        {PulseTables[2], {1024}, 446, 1602, 1097, 9906478, 0},
        {PulseTables[3], {1039}, 628, 1465, 826, 7296862, 1},
        {PulseTables[4], {1024}, 524, 1524, 1001, 16940933, 50},
        {PulseTables[5], {1069, 1070}, 569, 1570, 1002, 16941146, 50},
        {PulseTables[6], {1024}, 324, 1724, 1325, 11979054, 50},
        {PulseTables[7], {1039}, 549, 1544, 986, 8710831, 50},
        {{"Cal", CalibrationSpectrum}, {1023}, 22, 2024, 45, 1473536, 0},
    };
    for (const Row& row : rows) {
        const ReferenceTable& t = row.table.table;
        SCOPED_TRACE(row.table.name);
        EXPECT_EQ(*std::max_element(t.begin(), t.end()), 65536u);
        EXPECT_EQ(PixelsWith(t, 65536), row.peakPixels);
        const auto nonZero = [](std::uint32_t v) { return v != 0; };
        EXPECT_EQ(std::find_if(t.begin(), t.end(), nonZero) - t.begin(), row.firstNonZero);
        EXPECT_EQ(t.rend() - std::find_if(t.rbegin(), t.rend(), nonZero) - 1, row.lastNonZero);
        EXPECT_EQ(std::count_if(t.begin(), t.end(), nonZero), row.nonZeroCount);
        const std::uint64_t sum = std::accumulate(t.begin(), t.end(), std::uint64_t{0});
        const std::uint64_t distance = sum > row.sum ? sum - row.sum : row.sum - sum;
        EXPECT_LE(distance, row.sumTolerance) << "sum " << sum << ", expected " << row.sum;
    }
}

TEST(ReferenceSpectra, CalibrationCombHas45MarksTwoTerahertzApart)
{
    const std::vector<int> marks = {22,   67,   113,  158,  204,  249,  295,  340,  386,  431,  477,  522,
                                    568,  613,  659,  704,  750,  795,  841,  886,  932,  977,  1023, 1069,
                                    1114, 1160, 1205, 1251, 1296, 1342, 1387, 1433, 1478, 1524, 1569, 1615,
                                    1660, 1706, 1751, 1797, 1842, 1888, 1933, 1979, 2024};
    std::vector<int> sideMarks = marks;
    sideMarks.erase(std::find(sideMarks.begin(), sideMarks.end(), 1023));
    EXPECT_EQ(PixelsWith(CalibrationSpectrum, 32000), sideMarks);
    EXPECT_EQ(PixelsWith(CalibrationSpectrum, 65536), std::vector<int>{1023});
    EXPECT_EQ(PixelsWith(CalibrationSpectrum, 0).size(), 2048u - marks.size());
}

TEST(ReferenceSpectra, FringeMaxima)
{
    // The delay fringes do not depend on the chirp.
    EXPECT_EQ(LocalMaxima(BandwidthLimitedSpectra[2], 700, 1350), LocalMaxima(ChirpedSpectra[2], 700, 1350));
    const std::vector<int> nearCentre = LocalMaxima(BandwidthLimitedSpectra[2], 1000, 1060);
    EXPECT_EQ(nearCentre, (std::vector<int>{1009, 1024, 1039, 1054}));

    // The chirp shifts the interferogram's fringes away from the centre.
    struct Drift {
        int bandwidthLimited;
        int chirped;
    };
    for (const Drift d : {Drift{1069, 1070}, Drift{1251, 1252}, Drift{873, 872}, Drift{1039, 1039}}) {
        const std::vector<int> b =
            LocalMaxima(BandwidthLimitedSpectra[3], d.bandwidthLimited - 3, d.bandwidthLimited + 3);
        const std::vector<int> c = LocalMaxima(ChirpedSpectra[3], d.chirped - 3, d.chirped + 3);
        EXPECT_EQ(b, std::vector<int>{d.bandwidthLimited});
        EXPECT_EQ(c, std::vector<int>{d.chirped});
    }
}

// The closed forms evaluated independently with the C library, from the pulse
// parameters derived here from the physics of the test pulses.
struct PulseParameters {
    double sigma;
    double q;
};

PulseParameters DerivePulse(bool chirped)
{
    const double pi = std::acos(-1.0);
    const double ln2 = std::log(2.0);
    const double pixelHz = 90e12 / 2048;
    const double fwhmHz = 2.0 * ln2 / (pi * 50e-15);
    const double sigma = fwhmHz / pixelHz / (2.0 * std::sqrt(2.0 * ln2));
    if (!chirped) {
        return {sigma, 0.0};
    }
    const double a = 2.0 * ln2 / (50.0 * 50.0);
    const double b = pi * 0.12e-3;
    const double gdd = b / (2.0 * (a * a + b * b));
    const double w = 2.0 * pi * pixelHz * 1e-15;
    return {sigma * std::sqrt(1.0 + (b / a) * (b / a)), -gdd * w * w};
}

std::vector<std::vector<double>> ClosedForms(PulseParameters p)
{
    const double pi = std::acos(-1.0);
    const double shear = 2048.0 / 45.0;
    const auto g = [&](double x) { return std::exp(-x * x / (2.0 * p.sigma * p.sigma)); };
    const auto u = [&](double x) {
        const double phase = 2.0 * pi * 135.0 * x / 2048.0 + 0.5 * p.q * (x * x - (x - shear) * (x - shear));
        return g(x) + g(x - shear) + 2.0 * std::sqrt(g(x) * g(x - shear)) * std::cos(phase);
    };
    double gMax = 0.0;
    double uMax = 0.0;
    for (int i = 0; i < 2048; ++i) {
        gMax = std::max(gMax, g(i - 1024 - shear));
        uMax = std::max(uMax, u(i - 1024.0));
    }
    std::vector<std::vector<double>> slots(4, std::vector<double>(2048));
    for (int i = 0; i < 2048; ++i) {
        const double x = i - 1024.0;
        slots[0][i] = 65536.0 * g(x);
        slots[1][i] = 65536.0 * g(x - shear) / gMax;
        slots[2][i] = 65536.0 * std::sqrt(g(x)) * (1.0 + std::cos(2.0 * pi * 135.0 * x / 2048.0)) / 2.0;
        slots[3][i] = 65536.0 * u(x) / uMax;
    }
    return slots;
}

TEST(ReferenceSpectra, PulseParametersMatchTheirRoundedValues)
{
    EXPECT_NEAR(DerivePulse(false).sigma, 85.28356, 0.000005);
    EXPECT_NEAR(DerivePulse(true).sigma, 103.12617, 0.000005);
    EXPECT_NEAR(DerivePulse(true).q, -3.19630e-5, 0.000005e-5);
}

// The original device tables may differ from the rounded closed forms by one
// count; the tables built here do not differ at all, which also pins the
// parameters to their full precision (their rounded values shift the sums by a
// few counts).
TEST(ReferenceSpectra, PulseTablesAreTheirRoundedClosedForms)
{
    for (const bool chirped : {false, true}) {
        const auto slots = ClosedForms(DerivePulse(chirped));
        for (int s = 0; s < 4; ++s) {
            const NamedTable& named = PulseTables[(chirped ? 4 : 0) + s];
            int mismatches = 0;
            for (int i = 0; i < 2048; ++i) {
                const double exact = slots[s][i];
                const std::uint32_t rounded = exact < 0.5 ? 0u : static_cast<std::uint32_t>(exact + 0.5);
                if (named.table[i] != rounded && mismatches++ == 0) {
                    ADD_FAILURE() << named.name << " pixel " << i << ": " << named.table[i] << ", closed form "
                                  << exact;
                }
            }
            EXPECT_EQ(mismatches, 0) << named.name;
        }
    }
}

// FNV-1a over the tables' samples, little-endian: the tables are the same bits
// in every build, whatever maths library it has.
TEST(ReferenceSpectra, SameBitsInEveryBuild)
{
    std::uint64_t hash = 14695981039346656037ull;
    const auto add = [&hash](const ReferenceTable& t) {
        for (const std::uint32_t v : t) {
            for (int byte = 0; byte < 4; ++byte) {
                hash = (hash ^ ((v >> (8 * byte)) & 0xFFu)) * 1099511628211ull;
            }
        }
    };
    add(CalibrationSpectrum);
    for (const ReferenceTable& t : BandwidthLimitedSpectra) {
        add(t);
    }
    for (const ReferenceTable& t : ChirpedSpectra) {
        add(t);
    }
    EXPECT_EQ(hash, 16858301278100003395ull);
}

TEST(ReferenceSpectra, SelectsTheTableOfEachChannel)
{
    using spectra::SelectReferenceTable;
    struct Row {
        std::int32_t specType;
        std::int32_t channel;
        const std::uint32_t* expected;
    };
    const Row rows[] = {
        {0, 0, BandwidthLimitedSpectra[0].data()}, {0, 1, BandwidthLimitedSpectra[0].data()},
        {0, 2, BandwidthLimitedSpectra[1].data()}, {0, 3, BandwidthLimitedSpectra[2].data()},
        {0, 4, BandwidthLimitedSpectra[3].data()}, {1, 0, ChirpedSpectra[0].data()},
        {1, 1, ChirpedSpectra[0].data()},          {1, 2, ChirpedSpectra[1].data()},
        {1, 3, ChirpedSpectra[2].data()},          {1, 4, ChirpedSpectra[3].data()},
        {2, 0, CalibrationSpectrum.data()},        {2, 1, CalibrationSpectrum.data()},
        {2, 2, CalibrationSpectrum.data()},        {2, 3, CalibrationSpectrum.data()},
        {2, 4, CalibrationSpectrum.data()},        {3, 0, nullptr},
        {3, 4, nullptr},                           {5, 2, nullptr},
        {-1, 1, nullptr},                          {0, -1, nullptr},
        {0, 5, nullptr},                           {2, 5, nullptr},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(SelectReferenceTable(row.specType, row.channel), row.expected)
            << "type " << row.specType << " channel " << row.channel;
    }
}

}  // namespace
