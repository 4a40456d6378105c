#pragma once
// Channel data synthesis: a reference table sample, the channel's baseline
// offset and one-sided random noise per point.

#include <array>
#include <cstdint>

namespace spectra {

// Noise amplitude at a signal-to-noise ratio of 1.
inline constexpr double NoiseScale = 92681.89986816;

// Baseline offset per channel index, added when the baseline is switched on.
inline constexpr std::array<std::int32_t, 5> BaselineShifts{120, 20, 100, 50, 80};

// Noise amplitude for a signal-to-noise ratio: NoiseScale / ratio, rounded to
// double. A ratio that is not a finite positive number (0, negative, NaN or
// infinite, as a hand-edited profile may hold), or one so small that the
// quotient overflows, gives 0: the data then carry no noise, never NaN or
// infinity.
double NoiseAmplitude(double s2nRatio);

// The noise source: a linear congruential generator with one 32-bit state per
// thread. A thread's state is 1 when it first draws and is never reseeded, so
// the same calls on the same threads always give the same noise.
struct NoiseGenerator {
    static constexpr std::uint32_t Multiplier = 22695477u;
    static constexpr std::uint32_t Increment = 1u;
    static constexpr std::uint32_t InitialState = 1u;
    static constexpr std::uint32_t MaxValue = 32767u;

    // The next value, 0..MaxValue, of the calling thread's sequence:
    // state = state * Multiplier + Increment (mod 2^32), value = bits 16..30.
    static std::uint32_t Draw();
};

// Fills out[0..points-1] with one channel's data. With step = 2048 / points,
// point i is
//     noise + (sample + offset)
// where noise = (r * (1.0 / 32767)) * amplitude for the next value r of the
// calling thread's NoiseGenerator, and sample is table[i * step] (0.0 when
// table is null), each operation rounded to double. Points draw in increasing
// order, so the thread's generator ends as if it had drawn `points` times.
//
// Requires 1 <= points <= 2048, a table of 2048 samples or null, a finite
// amplitude >= 0 (see NoiseAmplitude) and room for `points` doubles. Allocates
// nothing; touches no state but the calling thread's generator.
void SynthesizeChannel(const std::uint32_t* table, std::int32_t points, std::int32_t offset, double amplitude,
                       double* out);

}  // namespace spectra
