#pragma once
// The vector paths behind SynthesizeChannel and the generator arithmetic they
// share. Internal to the synthesis and its tests.

#include "driver/synthesis/synthesis.h"

#include <cstdint>

namespace spectra::paths {

constexpr std::uint32_t Advance(std::uint32_t state)
{
    return state * NoiseGenerator::Multiplier + NoiseGenerator::Increment;
}

// The generator is affine, so k draws are one affine map s -> mul * s + add:
// the vector paths compute the states of several points at once from it,
// without the serial dependency from each draw to the next.
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

// Integers become doubles without a conversion instruction: a 32-bit integer
// n in the low half of a 64-bit lane whose high half is 0x43300000 is the
// double 2^52 + n, and subtracting 2^52 leaves n exactly.
constexpr int MagicHigh = 0x43300000;
constexpr double Magic = 4503599627370496.0;  // 2^52

constexpr std::int32_t BlockPoints = 8;

// Write blocks * BlockPoints points as SynthesizeChannel defines them
// (step = 2048 / points), the first drawing from generator state `state`;
// return the state after their draws. The AVX2 one needs a processor with AVX2.
std::uint32_t SynthesizeBlocksSse2(const std::uint32_t* table, std::int32_t step, std::int32_t blocks, double offset,
                                   double amplitude, std::uint32_t state, double* out);
std::uint32_t SynthesizeBlocksAvx2(const std::uint32_t* table, std::int32_t step, std::int32_t blocks, double offset,
                                   double amplitude, std::uint32_t state, double* out);

enum class Path { Sse2, Avx2 };

bool Supported(Path path);

// SynthesizeChannel on the given path, which must be supported. SynthesizeChannel
// itself takes the AVX2 path where the processor has AVX2.
void SynthesizeChannelOn(Path path, const std::uint32_t* table, std::int32_t points, std::int32_t offset,
                         double amplitude, double* out);

}  // namespace spectra::paths
