#pragma once

#include <cstdint>

namespace dialogs {

// Asks the user for the points per channel, 1024 or 2048, in the modal data
// size dialog. parent is a window handle or null for a top-level dialog. size
// selects the initial item on entry ("2048" when at least 2048) and receives the
// choice when the user confirms. Returns true when confirmed; a cancel leaves
// size unchanged. Runs on the calling thread.
bool ShowConfigDialog(void* parent, std::int32_t& size);

}  // namespace dialogs
