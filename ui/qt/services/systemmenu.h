// Removes one entry, by its zero-based position, from a window's system menu
// (the menu of the title bar's icon). Removing the Close entry also takes
// away the title bar's close button. A position beyond the last entry
// changes nothing.
#pragma once

class QWidget;

namespace corvel {

// The Close entry's position in the standard menu of a fixed-border window
// with a minimize button: Restore, Move, Size, Minimize, Maximize,
// separator, Close.
inline constexpr int kSystemMenuClose = 6;

void removeSystemMenuEntry(QWidget* window, int position);

}  // namespace corvel
