#pragma once
// The noise-free reference spectra from which channel data are made: what the
// detector channels record for one test pulse, as counts on a 2048-pixel axis
// that is linear in optical frequency (90 THz / 2048 per pixel, pixel 1024 at
// the centre of the pulse's spectrum).
//
// The tables are constant data, computed at compile time: complete before any
// read, never written, shared by all threads without a lock.

#include <array>
#include <cstdint>

namespace spectra {

inline constexpr int ReferenceSamples = 2048;
inline constexpr int PulseSlots = 4;

using ReferenceTable = std::array<std::uint32_t, ReferenceSamples>;

// Values of the SpecType setting. Any value outside 0..3 behaves as
// SpecBaselineCalibration.
enum SpectrumType : std::int32_t {
    SpecBandwidthLimited = 0,
    SpecChirped = 1,
    SpecSpectralCalibration = 2,
    SpecBaselineCalibration = 3,
};

// 45 single-pixel marks 2 THz apart: 32000 counts each, 65536 on pixel 1023.
extern const ReferenceTable CalibrationSpectrum;

// Per pulse type, four slots: 0 the intensity spectrum, 1 the same sheared by
// 2 THz, 2 the 1.5-ps delay fringes under a sqrt(2) wider envelope, 3 the
// interferogram of slots 0 and 1. Every table peaks at exactly 65536.
extern const std::array<ReferenceTable, PulseSlots> BandwidthLimitedSpectra;  // 50 fs, transform-limited
extern const std::array<ReferenceTable, PulseSlots> ChirpedSpectra;           // 50 fs, 4 cm^-1/fs chirp

// The table that channel (0..4) reads for a SpecType value, or nullptr when
// the channel carries no signal (SpecBaselineCalibration, any unknown type,
// and, defensively, a channel outside 0..4). Channels 0 and 1 share slot 0;
// channel k > 0 reads slot k - 1.
const std::uint32_t* SelectReferenceTable(std::int32_t specType, std::int32_t channel);

}  // namespace spectra
