#pragma once
// Self-contained timing of the channel synthesis against its floor, for hosts
// without a benchmark library (the reference host's `bench` command runs it on
// every platform, Windows included).

#include <cstdint>

namespace bench {

// The floor of the synthesis: the same table reads, offset and stores into the
// caller's buffer, without the noise.
void SynthesisFloor(const std::uint32_t* table, std::int32_t points, std::int32_t offset, double* out);

struct SynthesisTiming {
    double kernelNs;  // one 2048-point channel with noise
    double floorNs;   // the same channel without noise
};

// Times a 2048-point channel of the bandwidth-limited slot-0 table, offset
// 120, signal-to-noise ratio 1000: eleven rounds that each time `repetitions`
// kernel calls and then `repetitions` floor calls with the steady clock.
// Returns the median time per call of each, which the alternation and the
// median keep fair on a machine with a varying clock or load. Advances the
// calling thread's noise sequence.
SynthesisTiming TimeSynthesis(int repetitions);

}  // namespace bench
