// POSIX backend of the synchronisation seam, on the C++ standard library.
#include "platform/sync.h"

#include <atomic>

#include <pthread.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/fault_injection.h"

namespace platform {

struct RecursiveLock::Impl {
    std::recursive_mutex mutex;
};

RecursiveLock::RecursiveLock(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
RecursiveLock::~RecursiveLock() = default;

std::unique_ptr<RecursiveLock> RecursiveLock::Create()
{
    if (CreationShouldFail()) {
        return nullptr;
    }
    return std::unique_ptr<RecursiveLock>(new RecursiveLock(std::make_unique<Impl>()));
}

void RecursiveLock::Lock()
{
    impl_->mutex.lock();
}

bool RecursiveLock::TryLock()
{
    return impl_->mutex.try_lock();
}

void RecursiveLock::Unlock()
{
    impl_->mutex.unlock();
}

struct Event::Impl {
    explicit Impl(Mode m) : mode(m) {}
    const Mode mode;
    std::mutex mutex;
    std::condition_variable changed;
    // Written under mutex; also read without it, so that a test of an unset
    // event (the common case when polling) costs no lock.
    std::atomic<bool> set{false};
};

Event::Event(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Event::~Event() = default;

std::unique_ptr<Event> Event::Create(Mode mode)
{
    if (CreationShouldFail()) {
        return nullptr;
    }
    return std::unique_ptr<Event>(new Event(std::make_unique<Impl>(mode)));
}

void Event::Set()
{
    {
        std::lock_guard guard(impl_->mutex);
        impl_->set = true;
    }
    impl_->changed.notify_all();
}

void Event::Reset()
{
    {
        std::lock_guard guard(impl_->mutex);
        impl_->set = false;
    }
    impl_->changed.notify_all();
}

void Event::Wait()
{
    std::unique_lock guard(impl_->mutex);
    impl_->changed.wait(guard, [this] { return impl_->set.load(); });
    if (impl_->mode == Mode::AutoReset) {
        impl_->set = false;
    }
}

bool Event::TryWait()
{
    if (!impl_->set.load()) {
        return false;
    }
    if (impl_->mode == Mode::ManualReset) {
        return true;
    }
    std::lock_guard guard(impl_->mutex);
    if (!impl_->set) {
        return false;
    }
    if (impl_->mode == Mode::AutoReset) {
        impl_->set = false;
    }
    return true;
}

void Event::WaitUntilReset()
{
    std::unique_lock guard(impl_->mutex);
    impl_->changed.wait(guard, [this] { return !impl_->set.load(); });
}

ThreadId CurrentThreadId()
{
    return static_cast<ThreadId>(pthread_self());
}

struct Thread::Impl {
    std::thread thread;
    ThreadId id = 0;
};

Thread::Thread(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

Thread::~Thread()
{
    if (impl_->thread.joinable()) {
        impl_->thread.join();
    }
}

std::unique_ptr<Thread> Thread::Start(std::function<void()> body)
{
    if (CreationShouldFail()) {
        return nullptr;
    }
    auto impl = std::make_unique<Impl>();
    try {
        impl->thread = std::thread(std::move(body));
    } catch (const std::system_error&) {
        return nullptr;
    }
    impl->id = static_cast<ThreadId>(impl->thread.native_handle());
    return std::unique_ptr<Thread>(new Thread(std::move(impl)));
}

ThreadId Thread::Id() const
{
    return impl_->id;
}

}  // namespace platform
