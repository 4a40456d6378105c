#pragma once
// Kernel services for the driver's synchronisation: a recursive lock, events and
// a thread. The same classes are implemented once per platform (win32/, posix/);
// both keep their state inside the process, so no call is a system round trip.
//
// Objects are made through Create(), which returns null when the platform
// cannot make one (or a test injected that failure, see fault_injection.h).

#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

// A mutex that its owning thread may take again; each Lock/successful TryLock
// is matched by one Unlock on the same thread.
class RecursiveLock {
public:
    static std::unique_ptr<RecursiveLock> Create();
    ~RecursiveLock();
    RecursiveLock(const RecursiveLock&) = delete;
    RecursiveLock& operator=(const RecursiveLock&) = delete;

    void Lock();
    bool TryLock();
    void Unlock();

    struct Impl;

private:
    explicit RecursiveLock(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

// Scoped hold of a RecursiveLock.
class LockGuard {
public:
    explicit LockGuard(RecursiveLock& lock) : lock_(lock) { lock_.Lock(); }
    ~LockGuard() { lock_.Unlock(); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;

private:
    RecursiveLock& lock_;
};

// A signalled/non-signalled flag that threads can wait for. An auto-reset event
// lets exactly one waiter through per Set and clears itself; a manual-reset
// event stays set until Reset.
class Event {
public:
    enum class Mode { AutoReset, ManualReset };
    static std::unique_ptr<Event> Create(Mode mode);
    ~Event();
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void Set();
    void Reset();
    // Waits without time limit until set; an auto-reset event is taken.
    void Wait();
    // Zero time-out wait: true when set (an auto-reset event is then taken).
    bool TryWait();
    // Waits until the event is not set. Used to wait for the end of a state
    // that a manual-reset event marks, without spinning.
    void WaitUntilReset();

    struct Impl;

private:
    explicit Event(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

using ThreadId = std::uint64_t;
ThreadId CurrentThreadId();

// A running thread. The owner ends the body by its own protocol; the
// destructor then waits for the thread to finish.
class Thread {
public:
    static std::unique_ptr<Thread> Start(std::function<void()> body);
    ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    ThreadId Id() const;
    bool IsCurrent() const { return Id() == CurrentThreadId(); }

    struct Impl;

private:
    explicit Thread(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
