#include "driver/spectra/synthesis.h"

#include <cassert>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace spectra {
namespace {

constexpr std::int32_t TableSamples = 2048;
constexpr double NoiseUnit = 1.0 / 32767;

thread_local std::uint32_t noiseState = NoiseGenerator::InitialState;

constexpr std::uint32_t Advance(std::uint32_t state)
{
    return state * NoiseGenerator::Multiplier + NoiseGenerator::Increment;
}

constexpr std::uint32_t ValueOf(std::uint32_t state)
{
    return (state >> 16) & NoiseGenerator::MaxValue;
}

constexpr double Point(std::uint32_t value, double sample, double offset, double amplitude)
{
    const double noise = (value * NoiseUnit) * amplitude;
    return noise + (sample + offset);
}

#if defined(__SSE2__)
// The generator is affine, so k draws are one affine map s -> mul * s + add.
// The vector loop makes blocks of eight points. Two registers carry the states
// of the block's first four points, one per 64-bit lane (pmuludq multiplies
// the low halves of 64-bit lanes); the states of the other four follow from
// them by a four-draw map, and the next block's by an eight-draw map. This is
// the same sequence as drawing one by one, without the serial dependency from
// each draw to the next.
struct AffineMap {
    std::uint32_t mul;
    std::uint32_t add;
};

constexpr AffineMap Draws(int count)
{
    AffineMap map{1u, 0u};
    for (int i = 0; i < count; ++i) {
        map = {map.mul * NoiseGenerator::Multiplier, map.add * NoiseGenerator::Multiplier + NoiseGenerator::Increment};
    }
    return map;
}

// Undoing a draw: the multiplier is odd, hence invertible modulo 2^32
// (Newton's iteration doubles the number of correct low bits each round).
constexpr std::uint32_t InverseMultiplier()
{
    std::uint32_t x = NoiseGenerator::Multiplier;
    for (int i = 0; i < 5; ++i) {
        x *= 2u - NoiseGenerator::Multiplier * x;
    }
    return x;
}
static_assert(InverseMultiplier() * NoiseGenerator::Multiplier == 1u);

constexpr std::uint32_t Retreat(std::uint32_t state)
{
    return (state - NoiseGenerator::Increment) * InverseMultiplier();
}

constexpr std::int32_t BlockPoints = 8;
constexpr AffineMap HalfBlockDraws = Draws(BlockPoints / 2);
constexpr AffineMap BlockDraws = Draws(BlockPoints);

// Integers become doubles without a conversion instruction: a 32-bit integer
// n in the low half of a 64-bit lane whose high half is 0x43300000 is the
// double 2^52 + n, and subtracting 2^52 leaves n exactly.
constexpr int MagicHigh = 0x43300000;
constexpr double Magic = 4503599627370496.0;  // 2^52

inline __m128i LowHalves(std::uint32_t first, std::uint32_t second, std::uint32_t high = 0)
{
    return _mm_set_epi32(static_cast<int>(high), static_cast<int>(second), static_cast<int>(high),
                         static_cast<int>(first));
}

inline __m128i Apply(const AffineMap& map, __m128i states)
{
    return _mm_add_epi32(_mm_mul_epu32(states, LowHalves(map.mul, map.mul)), LowHalves(map.add, map.add));
}

struct DoublePairs {
    __m128d low;
    __m128d high;
};

// Four samples plus offset, exact for any 32-bit sample:
// (2^52 + sample) - (2^52 - offset).
template <bool Contiguous>
struct TableSource {
    const std::uint32_t* table;
    std::int32_t step;
    __m128d magicLessOffset;

    DoublePairs operator()(std::int32_t point) const
    {
        __m128i raw;
        if constexpr (Contiguous) {
            raw = _mm_loadu_si128(reinterpret_cast<const __m128i*>(table + point));
        } else {
            const std::uint32_t* p = table + point * step;
            raw = _mm_set_epi32(static_cast<int>(p[3 * step]), static_cast<int>(p[2 * step]),
                                static_cast<int>(p[step]), static_cast<int>(p[0]));
        }
        const __m128i magic = _mm_set1_epi32(MagicHigh);
        return {_mm_sub_pd(_mm_castsi128_pd(_mm_unpacklo_epi32(raw, magic)), magicLessOffset),
                _mm_sub_pd(_mm_castsi128_pd(_mm_unpackhi_epi32(raw, magic)), magicLessOffset)};
    }
};

// No table: every sample is 0.0, and 0.0 + offset is the offset itself.
struct NoTableSource {
    __m128d offset;

    DoublePairs operator()(std::int32_t) const { return {offset, offset}; }
};

// Writes blocks * 8 points; returns the generator state after their draws.
template <class Source>
std::uint32_t SynthesizeBlocks(const Source& source, std::int32_t blocks, double amplitude, std::uint32_t state,
                               double* out)
{
    const std::uint32_t s1 = Advance(state);
    const std::uint32_t s2 = Advance(s1);
    const std::uint32_t s3 = Advance(s2);
    const std::uint32_t s4 = Advance(s3);
    __m128i firstPair = LowHalves(s1, s2);
    __m128i secondPair = LowHalves(s3, s4);

    // A value is bits 16..30 of its state. Masked in place they read as
    // value * 2^16, so the unit is scaled by 2^-16, which changes no rounding.
    const __m128i valueBits = LowHalves(NoiseGenerator::MaxValue << 16, NoiseGenerator::MaxValue << 16);
    const __m128i magicHigh = LowHalves(0, 0, MagicHigh);
    const __m128d magic = _mm_set1_pd(Magic);
    const __m128d unit = _mm_set1_pd(NoiseUnit / 65536.0);
    const __m128d amp = _mm_set1_pd(amplitude);
    const auto noise = [&](__m128i states) {
        const __m128i bits = _mm_or_si128(_mm_and_si128(states, valueBits), magicHigh);
        return _mm_mul_pd(_mm_mul_pd(_mm_sub_pd(_mm_castsi128_pd(bits), magic), unit), amp);
    };

    for (std::int32_t b = 0; b < blocks; ++b) {
        double* const o = out + b * BlockPoints;
        const DoublePairs first = source(b * BlockPoints);
        _mm_storeu_pd(o, _mm_add_pd(noise(firstPair), first.low));
        _mm_storeu_pd(o + 2, _mm_add_pd(noise(secondPair), first.high));
        const DoublePairs second = source(b * BlockPoints + 4);
        _mm_storeu_pd(o + 4, _mm_add_pd(noise(Apply(HalfBlockDraws, firstPair)), second.low));
        _mm_storeu_pd(o + 6, _mm_add_pd(noise(Apply(HalfBlockDraws, secondPair)), second.high));
        firstPair = Apply(BlockDraws, firstPair);
        secondPair = Apply(BlockDraws, secondPair);
    }
    // The first lane now holds the state of the next, undrawn point: one draw
    // past the state to hand back.
    return Retreat(static_cast<std::uint32_t>(_mm_cvtsi128_si32(firstPair)));
}
#endif

}  // namespace

double NoiseAmplitude(double s2nRatio)
{
    if (!(s2nRatio > 0.0) || !std::isfinite(s2nRatio)) {
        return 0.0;
    }
    const double amplitude = NoiseScale / s2nRatio;
    return std::isfinite(amplitude) ? amplitude : 0.0;
}

std::uint32_t NoiseGenerator::Draw()
{
    noiseState = Advance(noiseState);
    return ValueOf(noiseState);
}

void SynthesizeChannel(const std::uint32_t* table, std::int32_t points, std::int32_t offset, double amplitude,
                       double* out)
{
    assert(points >= 1 && points <= TableSamples);
    assert(out != nullptr);
    assert(std::isfinite(amplitude) && amplitude >= 0.0);

    const std::int32_t step = TableSamples / points;
    const double offsetValue = offset;
    std::uint32_t state = noiseState;
    std::int32_t point = 0;
#if defined(__SSE2__)
    const std::int32_t blocks = points / BlockPoints;
    if (blocks > 0) {
        if (table == nullptr) {
            state = SynthesizeBlocks(NoTableSource{_mm_set1_pd(offsetValue)}, blocks, amplitude, state, out);
        } else {
            const __m128d magicLessOffset = _mm_set1_pd(Magic - offsetValue);
            if (step == 1) {
                state =
                    SynthesizeBlocks(TableSource<true>{table, step, magicLessOffset}, blocks, amplitude, state, out);
            } else {
                state = SynthesizeBlocks(TableSource<false>{table, step, magicLessOffset}, blocks, amplitude, state,
                                         out);
            }
        }
        point = blocks * BlockPoints;
    }
#endif
    for (; point < points; ++point) {
        state = Advance(state);
        const double sample = table != nullptr ? static_cast<double>(table[point * step]) : 0.0;
        out[point] = Point(ValueOf(state), sample, offsetValue, amplitude);
    }
    noiseState = state;
}

}  // namespace spectra
