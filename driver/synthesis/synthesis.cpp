#include "driver/synthesis/synthesis.h"

#include "driver/synthesis/synthesis_paths.h"

#include <cassert>
#include <cmath>

#include <emmintrin.h>

namespace spectra {
namespace paths {
namespace {

constexpr std::int32_t TableSamples = 2048;
constexpr double NoiseUnit = 1.0 / 32767;

thread_local std::uint32_t noiseState = NoiseGenerator::InitialState;

constexpr std::uint32_t ValueOf(std::uint32_t state)
{
    return (state >> 16) & NoiseGenerator::MaxValue;
}

constexpr double Point(std::uint32_t value, double sample, double offset, double amplitude)
{
    const double noise = (value * NoiseUnit) * amplitude;
    return noise + (sample + offset);
}

// Two registers carry the states of a block's first four points, one per
// 64-bit lane (pmuludq multiplies the low halves of 64-bit lanes); the states
// of the other four follow from them by a four-draw map, and the next block's
// by an eight-draw map.
constexpr AffineMap HalfBlockDraws = Draws(BlockPoints / 2);
constexpr AffineMap BlockDraws = Draws(BlockPoints);

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

}  // namespace

std::uint32_t SynthesizeBlocksSse2(const std::uint32_t* table, std::int32_t step, std::int32_t blocks, double offset,
                                   double amplitude, std::uint32_t state, double* out)
{
    if (table == nullptr) {
        return SynthesizeBlocks(NoTableSource{_mm_set1_pd(offset)}, blocks, amplitude, state, out);
    }
    const __m128d magicLessOffset = _mm_set1_pd(Magic - offset);
    if (step == 1) {
        return SynthesizeBlocks(TableSource<true>{table, step, magicLessOffset}, blocks, amplitude, state, out);
    }
    return SynthesizeBlocks(TableSource<false>{table, step, magicLessOffset}, blocks, amplitude, state, out);
}

bool Supported(Path path)
{
    if (path == Path::Sse2) {
        return true;
    }
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}

void SynthesizeChannelOn(Path path, const std::uint32_t* table, std::int32_t points, std::int32_t offset,
                         double amplitude, double* out)
{
    assert(points >= 1 && points <= TableSamples);
    assert(out != nullptr);
    assert(std::isfinite(amplitude) && amplitude >= 0.0);
    assert(Supported(path));

    const std::int32_t step = TableSamples / points;
    const double offsetValue = offset;
    std::uint32_t state = noiseState;
    std::int32_t point = 0;
    const std::int32_t blocks = points / BlockPoints;
    if (blocks > 0) {
        const auto synthesizeBlocks = path == Path::Avx2 ? SynthesizeBlocksAvx2 : SynthesizeBlocksSse2;
        state = synthesizeBlocks(table, step, blocks, offsetValue, amplitude, state, out);
        point = blocks * BlockPoints;
    }
    for (; point < points; ++point) {
        state = Advance(state);
        const double sample = table != nullptr ? static_cast<double>(table[point * step]) : 0.0;
        out[point] = Point(ValueOf(state), sample, offsetValue, amplitude);
    }
    noiseState = state;
}

}  // namespace paths

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
    paths::noiseState = paths::Advance(paths::noiseState);
    return paths::ValueOf(paths::noiseState);
}

void SynthesizeChannel(const std::uint32_t* table, std::int32_t points, std::int32_t offset, double amplitude,
                       double* out)
{
    static const paths::Path best = paths::Supported(paths::Path::Avx2) ? paths::Path::Avx2 : paths::Path::Sse2;
    paths::SynthesizeChannelOn(best, table, points, offset, amplitude, out);
}

}  // namespace spectra
