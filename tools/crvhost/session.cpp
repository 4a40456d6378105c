#include "tools/crvhost/session.h"

#include <stdexcept>
#include <thread>

namespace crvhost {

DriverSession::DriverSession(const std::string& driver, const char* profilePath, const char* section)
{
    std::string error;
    api_ = DriverApi::Load(driver, error);
    if (!api_) {
        throw std::runtime_error(error);
    }
    info_ = api_->GetLibInfo();
    if (info_ == nullptr) {
        throw std::runtime_error("the driver gives no description (no points per channel configured)");
    }
    const DeviceStatus status = api_->Init(profilePath, section);
    if (status != StatusOk) {
        throw std::runtime_error(std::string("CRVDEV_Init failed: ") + api_->GetErrorMsg(status));
    }
}

DriverSession::~DriverSession()
{
    api_->Done();
}

void DriverSession::Acquire(AcquisitionRecorder& recorder, std::uint32_t user) const
{
    recorder.Clear();
    recorder.Activate();
    const DeviceStatus started = api_->Start(AcquisitionRecorder::Callback, user);
    if (started != StatusBusy) {
        throw std::runtime_error(std::string("CRVDEV_Start failed: ") + api_->GetErrorMsg(started));
    }
    recorder.WaitForEnd();
    // The worker finishes its bookkeeping right after its last report.
    while (api_->GetStatus() == StatusBusy) {
        std::this_thread::yield();
    }
}

}  // namespace crvhost
