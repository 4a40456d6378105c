#include "tests/ui/gui_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <map>

namespace uitest {

namespace {

std::map<UINT_PTR, std::function<void()>>& Timers()
{
    thread_local std::map<UINT_PTR, std::function<void()>> timers;
    return timers;
}

void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    const auto found = Timers().find(id);
    if (found != Timers().end()) {
        const std::function<void()> tick = found->second;  // the tick may destroy its timer
        tick();
    }
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

struct ChildSearch {
    std::string_view text;
    HWND found = nullptr;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<ChildSearch*>(context);
    if (WindowText(window) == search->text) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

LPARAM KeyData(WORD virtualKey, bool up)
{
    const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    LPARAM data = 1 | static_cast<LPARAM>(scan << 16);
    if (up) data |= static_cast<LPARAM>(0xC0000000u);
    return data;
}

}  // namespace

ThreadTimer::ThreadTimer(UINT intervalMs, std::function<void()> tick)
{
    id_ = SetTimer(nullptr, 0, intervalMs, TimerProc);
    Timers()[id_] = std::move(tick);
}

ThreadTimer::~ThreadTimer()
{
    KillTimer(nullptr, id_);
    Timers().erase(id_);
}

Script::Script(std::vector<Step> steps, UINT intervalMs)
    : steps_(std::move(steps)), timer_(intervalMs, [this] {
          if (next_ < steps_.size() && steps_[next_]()) ++next_;
      })
{
}

Watchdog::Watchdog(UINT timeoutMs)
    : deadline_(GetTickCount() + timeoutMs), timer_(100, [this] {
          if (static_cast<LONG>(GetTickCount() - deadline_) < 0) return;
          fired_ = true;
          for (HWND window : ThreadWindows()) PostMessageA(window, WM_CLOSE, 0, 0);
      })
{
}

std::vector<HWND> ThreadWindows()
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND FindThreadWindow(std::string_view caption)
{
    for (HWND window : ThreadWindows()) {
        if (IsWindowVisible(window) != 0 && WindowText(window) == caption) return window;
    }
    return nullptr;
}

HWND FindMessageBox()
{
    for (HWND window : ThreadWindows()) {
        if (IsWindowVisible(window) != 0 && ClassName(window) == "#32770") return window;
    }
    return nullptr;
}

HWND FindChild(HWND parent, std::string_view text)
{
    ChildSearch search{text};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassName(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT ClientRectIn(HWND child, HWND parent)
{
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT ClientSize(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return r;
}

bool IsChecked(HWND button)
{
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void PostKeyTo(HWND window, WORD virtualKey)
{
    PostMessageA(window, WM_KEYDOWN, virtualKey, KeyData(virtualKey, false));
    PostMessageA(window, WM_KEYUP, virtualKey, KeyData(virtualKey, true));
}

void PostKey(WORD virtualKey)
{
    PostKeyTo(GetFocus(), virtualKey);
}

void PostClick(HWND control)
{
    RECT r{};
    GetClientRect(control, &r);
    // The platform also reports the real pointer's moves to the pressed
    // button; it must be where the posted click is.
    POINT centre{r.right / 2, r.bottom / 2};
    ClientToScreen(control, &centre);
    SetCursorPos(centre.x, centre.y);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(control, WM_LBUTTONUP, 0, at);
}

bool SaveWindowBitmap(HWND window, const std::string& path)
{
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const BOOL copied = BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageBytes;
    bool saved = false;
    if (copied != 0) {
        if (FILE* out = std::fopen(path.c_str(), "wb")) {
            saved = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                    std::fwrite(bits, imageBytes, 1, out) == 1;
            saved = std::fclose(out) == 0 && saved;
        }
    }
    DeleteObject(bitmap);
    return saved;
}

std::string ScreenshotDir()
{
    const char* dir = std::getenv("SIMULATOR_SCREENSHOT_DIR");
    if (dir == nullptr || *dir == '\0') return {};
    CreateDirectoryA(dir, nullptr);
    return dir;
}

Script::Step WhenShown(const char* caption, HWND& found)
{
    return [caption, &found] {
        found = FindThreadWindow(caption);
        return found != nullptr;
    };
}

Script::Step Do(std::function<void()> action)
{
    return [action] {
        action();
        return true;
    };
}

}  // namespace uitest
