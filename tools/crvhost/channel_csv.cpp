#include "tools/crvhost/channel_csv.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace crvhost {
namespace {

constexpr int DetectorPixels = 2048;
constexpr int CentrePixel = 1024;
constexpr double ThzPerPixel = 90.0 / DetectorPixels;  // 43.9453125 GHz

const char* TypeName(int type)
{
    switch (type) {
    case 0:
        return "bandwidth limited";
    case 1:
        return "chirped";
    case 2:
        return "spectral calibration";
    default:
        return "baseline calibration";
    }
}

}  // namespace

void WriteChannelCsv(const std::string& folder, int channel, const MeasurementDescription& measurement,
                     const std::vector<double>& values)
{
    std::filesystem::create_directories(folder);
    const auto path = std::filesystem::path(folder) / ("channel" + std::to_string(channel) + ".csv");
    std::ofstream out(path);
    char line[160];
    std::snprintf(line, sizeof line, "# channel %d, spectrum type %d (%s), ratio %g, baseline %s, %d points\n",
                  channel, measurement.type, TypeName(measurement.type), measurement.ratio,
                  measurement.baseline ? "on" : "off", measurement.points);
    out << line << "pixel,offset_THz,value\n";
    const int step = DetectorPixels / measurement.points;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int pixel = static_cast<int>(i) * step;
        std::snprintf(line, sizeof line, "%d,%.7f,%.10g\n", pixel, (pixel - CentrePixel) * ThzPerPixel, values[i]);
        out << line;
    }
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace crvhost
