// The AVX2 path of the channel synthesis, run only where the processor has
// AVX2. Only the code below the includes is compiled for AVX2, so that no
// inline function from a header gets an AVX2 copy that generic code may link.
// The kernel is a leaf taking no 32-byte values by address: 64-bit Windows
// cannot align the stack for them.
#include "driver/synthesis/synthesis_paths.h"

#include <immintrin.h>

#pragma GCC push_options
#pragma GCC target("avx2")

namespace spectra::paths {
namespace {

constexpr double NoiseUnit = 1.0 / 32767;
constexpr AffineMap BlockDraws = Draws(BlockPoints);

struct DoubleQuads {
    __m256d low;
    __m256d high;
};

// Eight samples plus offset, exact for any 32-bit sample:
// (2^52 + sample) - (2^52 - offset).
template <bool Contiguous>
struct TableSource {
    const std::uint32_t* table;
    std::int32_t step;

    DoubleQuads operator()(std::int32_t point, __m256d magicLessOffset) const
    {
        const std::uint32_t* p = table + point * step;
        __m128i low;
        __m128i high;
        if constexpr (Contiguous) {
            low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4));
        } else {
            low = _mm_setr_epi32(static_cast<int>(p[0]), static_cast<int>(p[step]), static_cast<int>(p[2 * step]),
                                 static_cast<int>(p[3 * step]));
            p += 4 * step;
            high = _mm_setr_epi32(static_cast<int>(p[0]), static_cast<int>(p[step]), static_cast<int>(p[2 * step]),
                                  static_cast<int>(p[3 * step]));
        }
        const __m256i magic = _mm256_set1_epi64x(static_cast<long long>(MagicHigh) << 32);
        return {_mm256_sub_pd(_mm256_castsi256_pd(_mm256_or_si256(_mm256_cvtepu32_epi64(low), magic)), magicLessOffset),
                _mm256_sub_pd(_mm256_castsi256_pd(_mm256_or_si256(_mm256_cvtepu32_epi64(high), magic)),
                              magicLessOffset)};
    }
};

// No table: every sample is 0.0, and 0.0 + offset is the offset itself.
struct NoTableSource {
    DoubleQuads operator()(std::int32_t, __m256d offset) const { return {offset, offset}; }
};

// One register carries the states of a block's eight points, and the next
// block's follow by an eight-draw map. sampleBase is what the source adds to
// each sample.
template <class Source>
std::uint32_t SynthesizeBlocks(const Source& source, std::int32_t blocks, double sampleBase, double amplitude,
                               std::uint32_t state, double* out)
{
    std::uint32_t s[BlockPoints];
    for (std::int32_t i = 0; i < BlockPoints; ++i) {
        state = Advance(state);
        s[i] = state;
    }
    __m256i states = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s));

    // A value is bits 16..30 of its state. Masked in place they read as the
    // non-negative integer value * 2^16, so the unit is scaled by 2^-16, which
    // changes no rounding.
    const __m256i valueBits = _mm256_set1_epi32(static_cast<int>(NoiseGenerator::MaxValue << 16));
    const __m256d unit = _mm256_set1_pd(NoiseUnit / 65536.0);
    const __m256d amp = _mm256_set1_pd(amplitude);
    const __m256d base = _mm256_set1_pd(sampleBase);
    const __m256i blockMul = _mm256_set1_epi32(static_cast<int>(BlockDraws.mul));
    const __m256i blockAdd = _mm256_set1_epi32(static_cast<int>(BlockDraws.add));
    for (std::int32_t b = 0; b < blocks; ++b) {
        double* const o = out + b * BlockPoints;
        const DoubleQuads samples = source(b * BlockPoints, base);
        const __m256i bits = _mm256_and_si256(states, valueBits);
        const __m256d lowNoise =
            _mm256_mul_pd(_mm256_mul_pd(_mm256_cvtepi32_pd(_mm256_castsi256_si128(bits)), unit), amp);
        const __m256d highNoise =
            _mm256_mul_pd(_mm256_mul_pd(_mm256_cvtepi32_pd(_mm256_extracti128_si256(bits, 1)), unit), amp);
        _mm256_storeu_pd(o, _mm256_add_pd(lowNoise, samples.low));
        _mm256_storeu_pd(o + 4, _mm256_add_pd(highNoise, samples.high));
        states = _mm256_add_epi32(_mm256_mullo_epi32(states, blockMul), blockAdd);
    }
    // The first lane now holds the state of the next, undrawn point: one draw
    // past the state to hand back.
    return Retreat(static_cast<std::uint32_t>(_mm256_cvtsi256_si32(states)));
}

}  // namespace

std::uint32_t SynthesizeBlocksAvx2(const std::uint32_t* table, std::int32_t step, std::int32_t blocks, double offset,
                                   double amplitude, std::uint32_t state, double* out)
{
    if (table == nullptr) {
        return SynthesizeBlocks(NoTableSource{}, blocks, offset, amplitude, state, out);
    }
    const double magicLessOffset = Magic - offset;
    if (step == 1) {
        return SynthesizeBlocks(TableSource<true>{table, step}, blocks, magicLessOffset, amplitude, state, out);
    }
    return SynthesizeBlocks(TableSource<false>{table, step}, blocks, magicLessOffset, amplitude, state, out);
}

}  // namespace spectra::paths

#pragma GCC pop_options
