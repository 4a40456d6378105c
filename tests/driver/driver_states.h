#pragma once
// Puts a freshly loaded driver into one of its lifecycle states, for tests
// that check what each entry does in each state.

#include <memory>
#include <thread>

#include "platform/sync.h"
#include "tests/support/loaded_driver.h"
#include "tools/crvhost/acquisition_recorder.h"

namespace testing_support {

enum class DriverStateKind { NotInitialized, Idle, Busy };

inline const char* Name(DriverStateKind kind)
{
    switch (kind) {
    case DriverStateKind::NotInitialized:
        return "not initialised";
    case DriverStateKind::Idle:
        return "idle";
    case DriverStateKind::Busy:
        return "busy";
    }
    return "?";
}

// Holds the worker inside report 1 of an acquisition until Release (or the
// destructor). While held, the driver is busy with status 1.
class HeldAcquisition {
public:
    explicit HeldAcquisition(const crvhost::DriverApi& api)
        : api_(api), entered_(platform::Event::Create(platform::Event::Mode::ManualReset)),
          release_(platform::Event::Create(platform::Event::Mode::ManualReset))
    {
        recorder_.SetInsideReport([this](std::int32_t event) {
            if (event == AcqFirstPhaseDone) {
                entered_->Set();
                release_->Wait();
            }
        });
        recorder_.Activate();
        started_ = api_.Start(crvhost::AcquisitionRecorder::Callback, 7);
        entered_->Wait();
    }
    ~HeldAcquisition()
    {
        Release();
        recorder_.WaitForEnd();
        if (releaser_.joinable()) {
            releaser_.join();
        }
    }
    HeldAcquisition(const HeldAcquisition&) = delete;
    HeldAcquisition& operator=(const HeldAcquisition&) = delete;

    void Release() { release_->Set(); }
    // Releases the worker from another thread shortly after, so that an entry
    // that waits for the worker can be called on this one.
    void ReleaseSoon()
    {
        releaser_ = std::thread([this] {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            Release();
        });
    }
    DeviceStatus Started() const { return started_; }
    crvhost::AcquisitionRecorder& Recorder() { return recorder_; }

private:
    const crvhost::DriverApi& api_;
    crvhost::AcquisitionRecorder recorder_;
    std::unique_ptr<platform::Event> entered_;
    std::unique_ptr<platform::Event> release_;
    DeviceStatus started_ = 0;
    std::thread releaser_;
};

}  // namespace testing_support
