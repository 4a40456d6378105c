#include "dialogs/config_dialog.h"

namespace dialogs {

// Without a display there is nobody to ask: the question counts as cancelled.
bool ShowConfigDialog(void*, std::int32_t&)
{
    return false;
}

}  // namespace dialogs
