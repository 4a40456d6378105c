// Win32 backend of the synchronisation seam. Locks and events are built on
// slim reader/writer locks and condition variables, which stay inside the
// process: kernel mutexes and events would cost a round trip to the Wine
// server on every wait, set and release.
#include "platform/sync.h"

#include <atomic>

#include <windows.h>

#include <process.h>

#include "platform/fault_injection.h"

namespace platform {

struct RecursiveLock::Impl {
    SRWLOCK lock = SRWLOCK_INIT;
    volatile LONG owner = 0;  // thread id of the holder, 0 when free
    unsigned depth = 0;       // holds by the owner; touched only by the owner
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
    const LONG self = static_cast<LONG>(GetCurrentThreadId());
    if (InterlockedCompareExchange(&impl_->owner, 0, 0) != self) {
        AcquireSRWLockExclusive(&impl_->lock);
        InterlockedExchange(&impl_->owner, self);
    }
    ++impl_->depth;
}

bool RecursiveLock::TryLock()
{
    const LONG self = static_cast<LONG>(GetCurrentThreadId());
    if (InterlockedCompareExchange(&impl_->owner, 0, 0) != self) {
        if (!TryAcquireSRWLockExclusive(&impl_->lock)) {
            return false;
        }
        InterlockedExchange(&impl_->owner, self);
    }
    ++impl_->depth;
    return true;
}

void RecursiveLock::Unlock()
{
    if (--impl_->depth == 0) {
        InterlockedExchange(&impl_->owner, 0);
        ReleaseSRWLockExclusive(&impl_->lock);
    }
}

struct Event::Impl {
    explicit Impl(Mode m) : mode(m) {}
    const Mode mode;
    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE changed = CONDITION_VARIABLE_INIT;
    // Written under lock; also read without it, so that a test of an unset
    // event (the common case when polling) costs no lock.
    std::atomic<bool> set{false};
};

namespace {
class SrwGuard {
public:
    explicit SrwGuard(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~SrwGuard() { ReleaseSRWLockExclusive(&lock_); }
    SrwGuard(const SrwGuard&) = delete;
    SrwGuard& operator=(const SrwGuard&) = delete;

private:
    SRWLOCK& lock_;
};
}  // namespace

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
        SrwGuard guard(impl_->lock);
        impl_->set = true;
    }
    WakeAllConditionVariable(&impl_->changed);
}

void Event::Reset()
{
    {
        SrwGuard guard(impl_->lock);
        impl_->set = false;
    }
    WakeAllConditionVariable(&impl_->changed);
}

void Event::Wait()
{
    SrwGuard guard(impl_->lock);
    while (!impl_->set) {
        SleepConditionVariableSRW(&impl_->changed, &impl_->lock, INFINITE, 0);
    }
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
    SrwGuard guard(impl_->lock);
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
    SrwGuard guard(impl_->lock);
    while (impl_->set) {
        SleepConditionVariableSRW(&impl_->changed, &impl_->lock, INFINITE, 0);
    }
}

ThreadId CurrentThreadId()
{
    return GetCurrentThreadId();
}

struct Thread::Impl {
    explicit Impl(std::function<void()> b) : body(std::move(b)) {}
    std::function<void()> body;
    HANDLE handle = nullptr;
    DWORD id = 0;
    HMODULE pinnedModule = nullptr;
};

namespace {
// A thread of a DLL holds a reference to that DLL while it runs, so that a host
// that unloads the library without shutting it down never leaves the thread
// running in unmapped code; the thread gives the reference back as it ends.
HMODULE PinCodeModule()
{
    HMODULE module = nullptr;
    const auto flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS;
    if (!GetModuleHandleExA(flags, reinterpret_cast<LPCSTR>(&PinCodeModule), &module)) {
        return nullptr;
    }
    if (module == GetModuleHandleA(nullptr)) {
        FreeLibrary(module);
        return nullptr;
    }
    return module;
}

unsigned __stdcall RunThreadBody(void* arg)
{
    auto* impl = static_cast<Thread::Impl*>(arg);
    // The body must not throw: a thread start routine is an ABI boundary.
    impl->body();
    if (HMODULE module = impl->pinnedModule) {
        FreeLibraryAndExitThread(module, 0);
    }
    return 0;
}
}  // namespace

Thread::Thread(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

Thread::~Thread()
{
    WaitForSingleObject(impl_->handle, INFINITE);
    CloseHandle(impl_->handle);
}

std::unique_ptr<Thread> Thread::Start(std::function<void()> body)
{
    if (CreationShouldFail()) {
        return nullptr;
    }
    auto impl = std::make_unique<Impl>(std::move(body));
    impl->pinnedModule = PinCodeModule();
    unsigned id = 0;
    // _beginthreadex rather than CreateThread: the body uses the C runtime.
    const uintptr_t handle = _beginthreadex(nullptr, 0, RunThreadBody, impl.get(), 0, &id);
    if (handle == 0) {
        if (impl->pinnedModule != nullptr) {
            FreeLibrary(impl->pinnedModule);
        }
        return nullptr;
    }
    impl->handle = reinterpret_cast<HANDLE>(handle);
    impl->id = id;
    return std::unique_ptr<Thread>(new Thread(std::move(impl)));
}

ThreadId Thread::Id() const
{
    return impl_->id;
}

}  // namespace platform
