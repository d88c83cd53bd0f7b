// Message boxes of the check windows: a Chinese text and title, OK or OK and
// Cancel, and an icon; the answer is the button pressed.
#pragma once

#include "message_box.h"

class QWidget;

namespace corvel {

Answer showMessageBox(QWidget* owner, const MessageBoxRequest& request);

}  // namespace corvel
