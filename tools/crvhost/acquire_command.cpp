#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <string>

#include "tools/crvhost/channel_csv.h"
#include "tools/crvhost/commands.h"
#include "tools/crvhost/session.h"

namespace crvhost {
namespace {

constexpr const char* HostSection = "crvhost";

std::string Sequence(const std::vector<Report>& reports)
{
    std::string text;
    for (const Report& report : reports) {
        text += (text.empty() ? "" : ", ") + std::to_string(report.event) + " " + ReportName(report.event);
    }
    return text.empty() ? "(no reports)" : text;
}

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

// The host profile through which the measurement settings reach the driver,
// as any host passes its own profile and section to CRVDEV_Init.
std::filesystem::path WriteHostProfile(const AcquireOptions& options)
{
    std::string text = std::string("[") + HostSection + "]\r\n";
    if (options.type) {
        text += "SpecType=" + std::to_string(*options.type) + "\r\n";
    }
    if (options.ratio) {
        char ratio[64];
        std::snprintf(ratio, sizeof ratio, "%.17g", *options.ratio);
        text += std::string("S2N_ratio=") + ratio + "\r\n";
    }
    text += std::string("do_baseline=") + (options.baseline ? "1" : "0") + "\r\n";
    const auto path = std::filesystem::temp_directory_path() /
                      ("crvhost-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
                       ".ini");
    WriteText(path, text);
    return path;
}

void WriteChannels(const DriverSession& session, const AcquireOptions& options)
{
    const LibInfo& info = session.Info();
    for (int channel = 0; channel < info.ChannelCount; ++channel) {
        std::vector<double> values(static_cast<std::size_t>(info.ChannelSizes[channel]));
        const std::int32_t points = session.Api().GetChannelData(channel, values.data());
        if (points <= 0) {
            throw std::runtime_error("CRVDEV_GetChannelData refused channel " + std::to_string(channel));
        }
        values.resize(static_cast<std::size_t>(points));
        const MeasurementDescription measurement{options.type.value_or(0), options.ratio.value_or(1000.0),
                                                 options.baseline, points};
        WriteChannelCsv(options.out, channel, measurement, values);
    }
    std::cout << "wrote " << info.ChannelCount << " channels to " << options.out << '\n';
}

}  // namespace

int RunAcquire(const AcquireOptions& options)
{
    if (options.points) {
        auto config = std::filesystem::path(options.driver).replace_extension(".CFG");
        WriteText(config, "[Simulator Configuration]\r\nSpecSize=" + std::to_string(*options.points) + "\r\n");
    }
    const auto profile = WriteHostProfile(options);
    const std::string profileText = profile.string();
    {
        DriverSession session(options.driver, profileText.c_str(), HostSection);
        AcquisitionRecorder recorder;
        constexpr int PrintEach = 5;

        std::map<std::string, int> sequences;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < options.count; ++i) {
            session.Acquire(recorder, static_cast<std::uint32_t>(i));
            const auto reports = recorder.Reports();
            ++sequences[Sequence(reports)];
            if (i < PrintEach) {
                std::cout << "acquisition " << i + 1 << ": " << Sequence(reports) << '\n';
            }
        }
        const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;

        if (options.count > PrintEach) {
            std::cout << "...\n";
        }
        for (const auto& [sequence, times] : sequences) {
            std::cout << times << " x " << sequence << '\n';
        }
        std::cout << options.count << " acquisitions, " << std::fixed << std::setprecision(2)
                  << elapsed.count() / options.count << " us per acquisition (start to idle)\n";
        if (!options.out.empty()) {
            WriteChannels(session, options);
        }
    }
    std::error_code ignored;
    std::filesystem::remove(profile, ignored);
    return 0;
}

}  // namespace crvhost
