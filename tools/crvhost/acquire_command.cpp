#include <chrono>
#include <iomanip>
#include <iostream>
#include <map>
#include <string>

#include "tools/crvhost/commands.h"
#include "tools/crvhost/session.h"

namespace crvhost {
namespace {

std::string Sequence(const std::vector<Report>& reports)
{
    std::string text;
    for (const Report& report : reports) {
        text += (text.empty() ? "" : ", ") + std::to_string(report.event) + " " + ReportName(report.event);
    }
    return text.empty() ? "(no reports)" : text;
}

}  // namespace

int RunAcquire(const AcquireOptions& options)
{
    DriverSession session(options.driver, nullptr, nullptr);
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
    return 0;
}

}  // namespace crvhost
