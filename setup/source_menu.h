#pragma once

#include "release/release_settings.h"
#include "setup/menu_description.h"

namespace zarn {

// Commands of the source menu beyond its two fixed ones: index field n (1 to 255) and Capture
// value i (0 to 255).
inline constexpr int IndexFieldCommandBase = 28416;
inline constexpr int CaptureValueCommandBase = 28160;
inline constexpr int kSourceSubmenuCapacity = 256;

// The source menu for a setting: the fixed commands of menu 11012 with their check marks, the
// index fields of the document class and, when there are any, the Capture values.
MenuDescription BuildSourceMenu(const ReleaseSettings& settings, const LinkSlot& target);

// True for the commands that BuildSourceMenu can produce.
bool IsSourceCommand(int command);

// Carries out a source-menu command on the target; true when it set the target.
[[nodiscard]] bool ApplySourceCommand(const ReleaseSettings& settings, int command,
                                      LinkSlot& target);

}  // namespace zarn
