#include "tools/crvhost/acquisition_recorder.h"

#include <atomic>
#include <stdexcept>

namespace crvhost {
namespace {
std::atomic<AcquisitionRecorder*> activeRecorder{nullptr};
}

AcquisitionRecorder::AcquisitionRecorder() : ended_(platform::Event::Create(platform::Event::Mode::ManualReset))
{
    if (!ended_) {
        throw std::runtime_error("cannot create an event");
    }
}

void AcquisitionRecorder::Activate()
{
    activeRecorder.store(this);
}

void AcquisitionRecorder::SetInsideReport(std::function<void(std::int32_t event)> action)
{
    insideReport_ = std::move(action);
}

void CRVDEV_CALL AcquisitionRecorder::Callback(std::int32_t event, std::uint32_t user)
{
    if (AcquisitionRecorder* recorder = activeRecorder.load()) {
        recorder->Record(event, user);
    }
}

void AcquisitionRecorder::Record(std::int32_t event, std::uint32_t user)
{
    {
        std::lock_guard guard(mutex_);
        reports_.push_back({event, user, platform::CurrentThreadId()});
    }
    if (insideReport_) {
        insideReport_(event);
    }
    if (event != AcqFirstPhaseDone) {
        ended_->Set();
    }
}

void AcquisitionRecorder::WaitForEnd()
{
    ended_->Wait();
}

void AcquisitionRecorder::Clear()
{
    std::lock_guard guard(mutex_);
    reports_.clear();
    ended_->Reset();
}

std::vector<Report> AcquisitionRecorder::Reports() const
{
    std::lock_guard guard(mutex_);
    return reports_;
}

const char* ReportName(std::int32_t event)
{
    switch (event) {
    case AcqEndedWithoutData:
        return "ended without data";
    case AcqFirstPhaseDone:
        return "first phase done";
    case AcqDataReady:
        return "data ready";
    case AcqStopped:
        return "stopped";
    default:
        return "unknown report";
    }
}

}  // namespace crvhost
