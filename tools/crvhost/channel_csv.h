#pragma once
// Channel data as CSV: one file per channel with the pixel, the frequency
// offset from the centre pixel and the value of each point.

#include <cstdint>
#include <string>
#include <vector>

namespace crvhost {

struct MeasurementDescription {
    int type;
    double ratio;
    bool baseline;
    int points;
};

// Writes DIR/channel<N>.csv. A point i of a channel of `points` points shows
// pixel i * (2048 / points) of the detector. Throws std::runtime_error when the
// file cannot be written.
void WriteChannelCsv(const std::string& folder, int channel, const MeasurementDescription& measurement,
                     const std::vector<double>& values);

}  // namespace crvhost
