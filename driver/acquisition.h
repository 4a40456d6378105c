#pragma once
// The acquisition worker and the synchronisation objects that tie the host's
// threads to it: SettingsLock, DataLock, StartEvent, StopEvent, BusyEvent and
// the worker thread.
//
// Lock order: none is needed. No thread ever holds both locks: the worker
// holds SettingsLock during the first phase only and DataLock during the
// second only; data reads take DataLock, the setup dialog SettingsLock.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "crvdev.h"
#include "platform/sync.h"

namespace driver {

struct DriverState;

// Written by CRVDEV_Start, copied by the worker when it wakes, cleared by the
// worker at the end of every acquisition.
struct AcquisitionRequest {
    std::atomic<AcqCallback> callback{nullptr};
    std::atomic<std::uint32_t> user{0};
};

// All six objects, made together and released together. Shared by the entries
// that use them, so that objects in use outlive a concurrent CRVDEV_Done.
class SyncObjects {
public:
    // Creates the locks, the events and the worker, in that order. Returns null
    // when any of them cannot be made; whatever was made is released again.
    static std::shared_ptr<SyncObjects> Create(DriverState& state);
    // Ends the worker if it still runs (see StopWorker).
    ~SyncObjects();
    SyncObjects(const SyncObjects&) = delete;
    SyncObjects& operator=(const SyncObjects&) = delete;

    // True while an acquisition runs (BusyEvent set).
    bool IsBusy() const { return busyEvent->TryWait(); }
    bool OnWorkerThread() const { return workerId_ == platform::CurrentThreadId(); }

    // Asks the idle worker to leave its loop and waits until it has ended.
    // Never called on the worker thread itself.
    void StopWorker();

    // The settings lock protocol of the worker and the setup dialog.
    // LockSettings waits without limit and is true when taken. UnlockSettings,
    // called by the holder of one LockSettings, records whether settings
    // changed and frees the lock fully (1), or refuses (0) when it cannot take
    // the lock once more.
    bool LockSettings();
    std::int32_t UnlockSettings(std::int32_t changed);

    std::unique_ptr<platform::RecursiveLock> settingsLock;
    std::unique_ptr<platform::RecursiveLock> dataLock;
    std::unique_ptr<platform::Event> startEvent;  // auto-reset
    std::unique_ptr<platform::Event> stopEvent;   // auto-reset
    std::unique_ptr<platform::Event> busyEvent;   // manual reset

private:
    explicit SyncObjects(DriverState& state) : state_(state) {}
    void RunWorker();
    void RunAcquisition();

    DriverState& state_;
    std::atomic<bool> quit_{false};
    std::unique_ptr<platform::Thread> worker;
    // Fixed before the objects are published, so that any thread may test it
    // while another ends the worker.
    platform::ThreadId workerId_ = 0;
};

// CRVDEV_Start: 1 when the acquisition was started, else the status.
DeviceStatus StartAcquisition(DriverState& state, AcqCallback callback, std::uint32_t user);
// CRVDEV_Stop: requests the end of a running acquisition and waits until the
// worker is idle; on the worker thread it only requests. Returns the status.
DeviceStatus StopAcquisition(DriverState& state);
// True while an acquisition runs; false when the objects do not exist.
bool IsBusy(const DriverState& state);
// Where the objects of the current initialised period are kept. Entries take
// a reference for the duration of their call, so that CRVDEV_Done may replace
// the objects while another thread still uses them. (A mutex rather than an
// atomic shared_ptr, whose lock-bit implementation the thread sanitizer cannot
// see through.)
class SyncObjectsSlot {
public:
    std::shared_ptr<SyncObjects> Load() const
    {
        std::lock_guard guard(mutex_);
        return objects_;
    }
    std::shared_ptr<SyncObjects> Exchange(std::shared_ptr<SyncObjects> objects)
    {
        std::lock_guard guard(mutex_);
        objects_.swap(objects);
        return objects;
    }

private:
    mutable std::mutex mutex_;
    std::shared_ptr<SyncObjects> objects_;  // guarded by mutex_
};

// The objects of the current initialised period, or null.
std::shared_ptr<SyncObjects> CurrentSyncObjects(const DriverState& state);

// Milliseconds since start on the wrapping 32-bit clock.
std::uint32_t ElapsedMs(std::uint32_t start);

}  // namespace driver
