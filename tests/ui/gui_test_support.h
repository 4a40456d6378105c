#pragma once
// Driving real windows of the calling thread from its own message loop: thread
// timers run steps inside whatever loop runs (a modal loop included), windows
// are found by thread, never desktop-wide, and input arrives as real posted
// messages.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace uitest {

// A thread timer calling tick every intervalMs from the calling thread's
// message loop until destroyed.
class ThreadTimer {
public:
    ThreadTimer(UINT intervalMs, std::function<void()> tick);
    ThreadTimer(const ThreadTimer&) = delete;
    ThreadTimer& operator=(const ThreadTimer&) = delete;
    ~ThreadTimer();

private:
    UINT_PTR id_;
};

// Runs steps one after the other, one per tick; a step returning false is
// tried again on the next tick (it waits for something).
class Script {
public:
    using Step = std::function<bool()>;
    explicit Script(std::vector<Step> steps, UINT intervalMs = 20);

    bool Done() const { return next_ >= steps_.size(); }
    std::size_t StepsDone() const { return next_; }

private:
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    ThreadTimer timer_;
};

// A step that waits until the thread shows a window with that caption and
// keeps its handle in found.
Script::Step WhenShown(const char* caption, HWND& found);
// A step that does action once.
Script::Step Do(std::function<void()> action);

// After timeoutMs, closes every window of the thread (again on each tick) so
// that a hung modal loop ends; Fired tells the test it had to.
class Watchdog {
public:
    explicit Watchdog(UINT timeoutMs = 10000);
    bool Fired() const { return fired_; }

private:
    bool fired_ = false;
    DWORD deadline_;
    ThreadTimer timer_;
};

std::vector<HWND> ThreadWindows();                     // top-level windows of the calling thread
HWND FindThreadWindow(std::string_view caption);       // visible one with that caption, or null
HWND FindMessageBox();                                 // a visible message box of the thread, or null
HWND FindChild(HWND parent, std::string_view text);    // descendant with that text, or null
std::string WindowText(HWND window);
std::string ClassName(HWND window);
RECT ClientRectIn(HWND child, HWND parent);            // child's window rectangle in parent's client coordinates
RECT ClientSize(HWND window);
bool IsChecked(HWND button);

// Input as the user would give it: posted to the window that has the focus
// when the message is posted.
void PostKey(WORD virtualKey);
void PostKeyTo(HWND window, WORD virtualKey);
// A left click at the centre of a control: the pointer moves there and the
// button down and up are posted.
void PostClick(HWND control);

// Saves what the screen shows of window as a 24-bit BMP; returns false when
// that failed. The dialog must be shown and painted.
bool SaveWindowBitmap(HWND window, const std::string& path);
// The screenshot folder given to the test (SIMULATOR_SCREENSHOT_DIR), or empty.
std::string ScreenshotDir();

}  // namespace uitest
