#include "driver/acquisition.h"

#include "driver/driver_state.h"
#include "platform/clock.h"

namespace driver {
namespace {

constexpr std::uint8_t Idle = StatusOk;
constexpr std::uint8_t Acquiring = StatusBusy;

bool IsActive(std::uint8_t status)
{
    return status == Idle || status == Acquiring;
}

// Tells the worker that settings changed; this simulated device has nothing to
// reconfigure, so there is nothing to do.
void ApplySettingsHook() {}

void Report(AcqCallback callback, std::uint32_t user, AcqEvent event)
{
    if (callback != nullptr) {
        callback(event, user);
    }
}

}  // namespace

std::uint32_t ElapsedMs(std::uint32_t start)
{
    const std::uint32_t now = platform::MillisecondClock();
    if (now >= start) {
        return now - start;
    }
    return (0xFFFFFFFFu - start) + now;
}

std::shared_ptr<SyncObjects> SyncObjects::Create(DriverState& state)
{
    std::shared_ptr<SyncObjects> objects(new SyncObjects(state));
    objects->settingsLock = platform::RecursiveLock::Create();
    if (!objects->settingsLock) {
        return nullptr;
    }
    objects->dataLock = platform::RecursiveLock::Create();
    if (!objects->dataLock) {
        return nullptr;
    }
    objects->startEvent = platform::Event::Create(platform::Event::Mode::AutoReset);
    if (!objects->startEvent) {
        return nullptr;
    }
    objects->stopEvent = platform::Event::Create(platform::Event::Mode::AutoReset);
    if (!objects->stopEvent) {
        return nullptr;
    }
    objects->busyEvent = platform::Event::Create(platform::Event::Mode::ManualReset);
    if (!objects->busyEvent) {
        return nullptr;
    }
    SyncObjects* self = objects.get();
    objects->worker = platform::Thread::Start([self] { self->RunWorker(); });
    if (!objects->worker) {
        return nullptr;
    }
    objects->workerId_ = objects->worker->Id();
    return objects;
}

SyncObjects::~SyncObjects()
{
    StopWorker();
}

void SyncObjects::StopWorker()
{
    if (!worker) {
        return;
    }
    quit_.store(true);
    startEvent->Set();
    worker.reset();  // waits for the thread to end
}

bool SyncObjects::LockSettings()
{
    settingsLock->Lock();
    return true;
}

std::int32_t SyncObjects::UnlockSettings(std::int32_t changed)
{
    if (!settingsLock->TryLock()) {
        return 0;
    }
    state_.SettingsChanged.store(changed != 0 ? 1 : 0);
    settingsLock->Unlock();
    settingsLock->Unlock();
    return 1;
}

void SyncObjects::RunWorker()
{
    for (;;) {
        startEvent->Wait();
        if (quit_.load()) {
            return;
        }
        RunAcquisition();
    }
}

// One acquisition: a first phase under SettingsLock, then a second phase
// under DataLock, reporting through the host's callback. Both phases last
// FirstPhaseMs and SecondPhaseMs and end early on a stop request.
void SyncObjects::RunAcquisition()
{
    std::atomic<std::uint8_t>& status = state_.Status;
    stopEvent->Reset();
    busyEvent->Set();
    const AcqCallback callback = state_.Request.callback.load();
    const std::uint32_t user = state_.Request.user.load();

    if (IsActive(status.load()) && LockSettings()) {
        if (state_.SettingsChanged.load() != 0) {
            ApplySettingsHook();
        }
        bool firstCompleted = false;
        if (IsActive(status.load())) {
            state_.FirstPhaseStart = platform::MillisecondClock();
            for (;;) {
                if (stopEvent->TryWait()) {
                    break;
                }
                if (ElapsedMs(state_.FirstPhaseStart) >= state_.FirstPhaseMs) {
                    firstCompleted = true;
                    break;
                }
            }
            if (firstCompleted) {
                Report(callback, user, AcqFirstPhaseDone);
                status.store(Acquiring);
                state_.SecondPhaseStart = platform::MillisecondClock();
            } else {
                Report(callback, user, AcqStopped);
                std::uint8_t expected = Acquiring;
                status.compare_exchange_strong(expected, Idle);
            }
        }
        UnlockSettings(0);

        if (firstCompleted) {
            if (status.load() != Acquiring) {
                Report(callback, user, AcqEndedWithoutData);
            } else {
                platform::LockGuard data(*dataLock);
                bool stopped = false;
                for (;;) {
                    if (stopEvent->TryWait()) {
                        stopped = true;
                        break;
                    }
                    if (ElapsedMs(state_.SecondPhaseStart) >= state_.SecondPhaseMs) {
                        status.store(Idle);
                    }
                    if (status.load() != Acquiring) {
                        break;
                    }
                }
                if (stopped) {
                    status.store(Idle);
                    Report(callback, user, AcqStopped);
                } else if (status.load() == Idle) {
                    Report(callback, user, AcqDataReady);
                } else {
                    Report(callback, user, AcqEndedWithoutData);
                }
            }
        }
    }
    state_.Request.callback.store(nullptr);
    state_.Request.user.store(0);
    busyEvent->Reset();
}

std::shared_ptr<SyncObjects> CurrentSyncObjects(const DriverState& state)
{
    return state.Sync.Load();
}

bool IsBusy(const DriverState& state)
{
    const auto objects = CurrentSyncObjects(state);
    return objects && objects->IsBusy();
}

DeviceStatus StartAcquisition(DriverState& state, AcqCallback callback, std::uint32_t user)
{
    std::uint8_t status = state.Status.load();
    if (status != Idle) {
        return status;
    }
    const auto objects = CurrentSyncObjects(state);
    if (!objects) {
        return state.Status.load();
    }
    if (objects->IsBusy()) {
        return StatusBusy;
    }
    // Claiming the status first makes concurrent starts exclusive: only the
    // winner writes the request and wakes the worker.
    if (!state.Status.compare_exchange_strong(status, Acquiring)) {
        return status;
    }
    state.Request.callback.store(callback);
    state.Request.user.store(user);
    objects->startEvent->Set();
    // Not a fresh read: the worker may already have finished and set 0.
    return StatusBusy;
}

DeviceStatus StopAcquisition(DriverState& state)
{
    const auto objects = CurrentSyncObjects(state);
    if (objects && objects->IsBusy()) {
        objects->stopEvent->Set();
        if (!objects->OnWorkerThread()) {
            objects->busyEvent->WaitUntilReset();
        }
    }
    return state.Status.load();
}

}  // namespace driver
