#include "ui/types.h"

namespace ui {

COLORREF ColorToRGB(TColor color)
{
    if ((color & clSystemColor) != 0) {
        return GetSysColor(static_cast<int>(color & 0xFF));
    }
    return color & 0xFFFFFF;
}

TShiftState KeyboardShiftState()
{
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

TShiftState MouseShiftState(WPARAM keys)
{
    TShiftState shift = 0;
    if ((keys & MK_SHIFT) != 0) shift |= ssShift;
    if ((keys & MK_CONTROL) != 0) shift |= ssCtrl;
    if ((keys & MK_LBUTTON) != 0) shift |= ssLeft;
    if ((keys & MK_RBUTTON) != 0) shift |= ssRight;
    if ((keys & MK_MBUTTON) != 0) shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

EOSError::EOSError(const std::string& what, DWORD code)
    : std::runtime_error(what + " (error " + std::to_string(code) + ")"), code_(code)
{
}

}  // namespace ui
