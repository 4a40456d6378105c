#pragma once
// The host side of the acquisition protocol: a callback that records every
// report and wakes the host thread when an acquisition has ended.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "crvdev.h"
#include "platform/sync.h"

namespace crvhost {

struct Report {
    std::int32_t event;
    std::uint32_t user;
    platform::ThreadId thread;
};

class AcquisitionRecorder {
public:
    AcquisitionRecorder();

    // The callback to hand to CRVDEV_Start. The recorder that it reports to
    // is the one most recently made active with Activate.
    static void CRVDEV_CALL Callback(std::int32_t event, std::uint32_t user);
    void Activate();
    // Runs inside every report, on the driver's worker thread, after the report
    // has been recorded.
    void SetInsideReport(std::function<void(std::int32_t event)> action);

    // Waits until a terminal report (data ready, stopped, ended without data)
    // has arrived since the last Clear.
    void WaitForEnd();
    void Clear();
    std::vector<Report> Reports() const;

private:
    void Record(std::int32_t event, std::uint32_t user);

    mutable std::mutex mutex_;
    std::vector<Report> reports_;  // guarded by mutex_
    std::unique_ptr<platform::Event> ended_;
    std::function<void(std::int32_t)> insideReport_;
};

// Text of a report code, for printing.
const char* ReportName(std::int32_t event);

}  // namespace crvhost
