// Message boxes of the check windows: a Chinese text and title, OK or OK and
// Cancel, and an icon; the answer is the button pressed.
#pragma once

#include "corvel/run_host.h"

#include <string>

class QWidget;

namespace corvel {

enum class Buttons { Ok, OkCancel };
enum class Icon { Question, Exclamation, Critical };

struct MessageBoxRequest {
    std::string text;   // UTF-8
    std::string title;  // UTF-8
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::Critical;
};

Answer showMessageBox(QWidget* owner, const MessageBoxRequest& request);

}  // namespace corvel
