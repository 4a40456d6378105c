#pragma once
// Basic types of the component layer: the root object, messages, events,
// colours, modal results and the layer's exceptions.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace ui {

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};

// One window message as the handlers see it; Result is what the window
// procedure returns.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// Notifications between the layer's controls. They are delivered with
// TControl::Perform and never reach Windows.
inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_DIALOGKEY = CM_BASE + 5;       // WParam: virtual key; Result 1 when handled
inline constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;    // LParam: the control that got the focus
inline constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
inline constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
inline constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr UINT CM_ENTER = CM_BASE + 26;          // the control gained the focus within its form
inline constexpr UINT CM_EXIT = CM_BASE + 27;           // the control lost the focus within its form

// Notifications that Windows sends to a parent, reflected to the child control
// they concern (CN_BASE + the original message).
inline constexpr UINT CN_BASE = 0xBC00;
inline constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
inline constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
inline constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
inline constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
inline constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
inline constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;  // sent by the message loop before dispatch

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = IDOK;
inline constexpr TModalResult mrCancel = IDCANCEL;
inline constexpr TModalResult mrAbort = IDABORT;
inline constexpr TModalResult mrRetry = IDRETRY;
inline constexpr TModalResult mrIgnore = IDIGNORE;
inline constexpr TModalResult mrYes = IDYES;
inline constexpr TModalResult mrNo = IDNO;

// Colours: an RGB value (0x00BBGGRR) or a system colour (clSystemColor | COLOR_xxx).
using TColor = std::uint32_t;
inline constexpr TColor clSystemColor = 0x80000000u;
inline constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
inline constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
inline constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
inline constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
inline constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
inline constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
inline constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clOlive = 0x008080;
COLORREF ColorToRGB(TColor color);

enum TShiftStateFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = unsigned;
TShiftState KeyboardShiftState();                         // from GetKeyState
TShiftState MouseShiftState(WPARAM mouseMessageKeys);    // from the MK_xxx flags of a mouse message

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum class TCloseAction { caNone, caHide, caFree };

using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TExceptionEvent = std::function<void(TObject* sender, const std::string& message)>;

// Raised for misuse of the layer (showing a visible form modally, ...).
class EInvalidOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised when a form layout cannot be read.
class EReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised when Windows refuses a resource or a window; carries GetLastError.
class EOSError : public std::runtime_error {
public:
    EOSError(const std::string& what, DWORD code);
    DWORD Code() const { return code_; }

private:
    DWORD code_;
};

}  // namespace ui
