#include "driver/synthesis/reference_tables.h"

#include <bit>

namespace spectra {
namespace {

// The tables are evaluated at compile time with the elementary functions below,
// which use only IEEE additions, multiplications and divisions. The stored
// counts therefore do not depend on any maths library, and every build (native
// and 32-bit Windows alike) carries the same bits. Their error, a few units in
// the last place, is far below the distance of any sample from a rounding
// boundary.

constexpr double Pi = 3.14159265358979323846264338327950288;
constexpr double Ln2 = 0.693147180559945309417232121458176568;

constexpr double Sqrt(double a)
{
    double x = a > 1.0 ? a : 1.0;
    for (int i = 0; i < 100; ++i) {
        const double next = 0.5 * (x + a / x);
        if (next >= x) {
            break;
        }
        x = next;
    }
    return x;
}

constexpr double TwoToThe(int k)  // 2^k for -1022 <= k <= 1023
{
    return std::bit_cast<double>(static_cast<std::uint64_t>(k + 1023) << 52);
}

constexpr double Exp(double x)
{
    if (x < -700.0) {
        return 0.0;
    }
    // x = k ln2 + r with |r| <= ln2 / 2; ln2 split so that k * Ln2Hi is exact.
    constexpr double Ln2Hi = 6.93147180369123816490e-01;
    constexpr double Ln2Lo = 1.90821492927058770002e-10;
    const double t = x / Ln2;
    const int k = static_cast<int>(t < 0.0 ? t - 0.5 : t + 0.5);
    const double r = (x - k * Ln2Hi) - k * Ln2Lo;
    double p = 1.0;  // Taylor series to r^16 / 16!, far below one ulp
    for (int n = 16; n >= 1; --n) {
        p = 1.0 + p * r / n;
    }
    return p * TwoToThe(k);
}

// Taylor series for |theta| <= pi/4.
constexpr double CosSmall(double theta)
{
    const double t2 = theta * theta;
    double p = 1.0;
    for (int n = 22; n >= 2; n -= 2) {
        p = 1.0 - p * t2 / (n * (n - 1));
    }
    return p;
}

constexpr double SinSmall(double theta)
{
    const double t2 = theta * theta;
    double p = 1.0;
    for (int n = 21; n >= 3; n -= 2) {
        p = 1.0 - p * t2 / (n * (n - 1));
    }
    return p * theta;
}

// cos(2 pi * cycles). The argument is reduced in cycles, where dropping whole
// turns is exact.
constexpr double CosCycles(double cycles)
{
    const double whole = static_cast<double>(static_cast<long long>(cycles < 0.0 ? cycles - 0.5 : cycles + 0.5));
    double r = cycles - whole;  // [-0.5, 0.5]
    if (r < 0.0) {
        r = -r;
    }
    double sign = 1.0;
    if (r > 0.25) {  // cos(2 pi r) = -cos(2 pi (0.5 - r)), exact subtraction
        r = 0.5 - r;
        sign = -1.0;
    }
    if (r > 0.125) {  // cos(2 pi r) = sin(2 pi (0.25 - r))
        return sign * SinSmall(2.0 * Pi * (0.25 - r));
    }
    return sign * CosSmall(2.0 * Pi * r);
}

constexpr std::uint32_t RoundCount(double v)  // nearest integer; below one half is 0
{
    return v < 0.5 ? 0u : static_cast<std::uint32_t>(v + 0.5);
}

// The physics behind the pulse tables, on the axis of 90 THz / 2048 per pixel.
constexpr double PixelHz = 90e12 / ReferenceSamples;
constexpr double PeakCounts = 65536.0;
constexpr int CentrePixel = 1024;
constexpr double ShearPixels = 2e12 / PixelHz;  // 2 THz = 2048 / 45 pixels
constexpr double FringePeriods = 135.0;          // 1.5 ps delay over 90 THz
constexpr double PulseFwhmFs = 50.0;

// Intensity-spectrum width (sigma, pixels) of the transform-limited 50-fs
// Gaussian pulse: FWHM 2 ln2 / (pi * 50 fs), divided by 2 sqrt(2 ln2).
constexpr double BandwidthLimitedSigma = 2.0 * Ln2 / (Pi * PulseFwhmFs * 1e-15) / PixelHz / (2.0 * Sqrt(2.0 * Ln2));

// The chirped pulse's field is exp(-(a - i b) t^2) with a = 2 ln2 / (50 fs)^2
// and b = pi * 0.12 THz/fs (4 cm^-1 per fs at 30 GHz per cm^-1).
constexpr double ChirpA = 2.0 * Ln2 / (PulseFwhmFs * PulseFwhmFs);  // fs^-2
constexpr double ChirpB = Pi * 0.12e-3;                             // fs^-2
constexpr double ChirpedSigma = BandwidthLimitedSigma * Sqrt(1.0 + (ChirpB / ChirpA) * (ChirpB / ChirpA));
// Spectral phase: second derivative b / (2 (a^2 + b^2)) in fs^2, in radians per
// pixel^2 on this axis; negative in pixel coordinates.
constexpr double ChirpGdd = ChirpB / (2.0 * (ChirpA * ChirpA + ChirpB * ChirpB));
constexpr double PixelRadPerFs = 2.0 * Pi * PixelHz * 1e-15;
constexpr double ChirpedQ = -ChirpGdd * PixelRadPerFs * PixelRadPerFs;

using PulseTables = std::array<ReferenceTable, PulseSlots>;

constexpr PulseTables BuildPulseTables(double sigma, double q)
{
    const double twoSigma2 = 2.0 * sigma * sigma;
    const auto gauss = [twoSigma2](double x) { return Exp(-x * x / twoSigma2); };
    // sqrt(G(a) G(b)) without a square root.
    const auto geometricMean = [twoSigma2](double a, double b) { return Exp(-(a * a + b * b) / (2.0 * twoSigma2)); };
    const auto fringeCycles = [](double x) { return FringePeriods * x / ReferenceSamples; };
    const auto interference = [&](double x) {
        const double phase = 0.5 * q * (x * x - (x - ShearPixels) * (x - ShearPixels));
        return gauss(x) + gauss(x - ShearPixels) +
               2.0 * geometricMean(x, x - ShearPixels) * CosCycles(fringeCycles(x) + phase / (2.0 * Pi));
    };

    // Slots 1 and 3 are scaled so that their largest sample on the axis is
    // the peak count.
    double shearedMax = 0.0;
    double interferenceMax = 0.0;
    for (int i = 0; i < ReferenceSamples; ++i) {
        const double x = i - CentrePixel;
        const double sheared = gauss(x - ShearPixels);
        const double u = interference(x);
        shearedMax = sheared > shearedMax ? sheared : shearedMax;
        interferenceMax = u > interferenceMax ? u : interferenceMax;
    }

    PulseTables t{};
    for (int i = 0; i < ReferenceSamples; ++i) {
        const double x = i - CentrePixel;
        t[0][i] = RoundCount(PeakCounts * gauss(x));
        t[1][i] = RoundCount(PeakCounts * gauss(x - ShearPixels) / shearedMax);
        t[2][i] = RoundCount(PeakCounts * geometricMean(x, 0.0) * (1.0 + CosCycles(fringeCycles(x))) / 2.0);
        t[3][i] = RoundCount(PeakCounts * interference(x) / interferenceMax);
    }
    return t;
}

constexpr ReferenceTable BuildCalibrationSpectrum()
{
    // Marks at pixel 1023 + round(2048 k / 45), k = -22..22 (never a tie).
    constexpr int CentreMark = CentrePixel - 1;
    ReferenceTable t{};
    for (int k = -22; k <= 22; ++k) {
        const int magnitude = (2 * ReferenceSamples * (k < 0 ? -k : k) + 45) / 90;
        t[CentreMark + (k < 0 ? -magnitude : magnitude)] = k == 0 ? 65536u : 32000u;
    }
    return t;
}

}  // namespace

constinit const ReferenceTable CalibrationSpectrum = BuildCalibrationSpectrum();
constinit const PulseTables BandwidthLimitedSpectra = BuildPulseTables(BandwidthLimitedSigma, 0.0);
constinit const PulseTables ChirpedSpectra = BuildPulseTables(ChirpedSigma, ChirpedQ);

const std::uint32_t* SelectReferenceTable(std::int32_t specType, std::int32_t channel)
{
    if (channel < 0 || channel > PulseSlots) {
        return nullptr;
    }
    const int slot = channel > 0 ? channel - 1 : 0;
    switch (specType) {
    case SpecBandwidthLimited:
        return BandwidthLimitedSpectra[slot].data();
    case SpecChirped:
        return ChirpedSpectra[slot].data();
    case SpecSpectralCalibration:
        return CalibrationSpectrum.data();
    default:
        return nullptr;
    }
}

}  // namespace spectra
