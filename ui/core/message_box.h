// A message box of the windows: a Chinese text and title, OK or OK and
// Cancel, and an icon; the answer is the button pressed. Escape and the
// close box answer Cancel where there is one, else OK.
#pragma once

#include "corvel/run_host.h"

#include <string>

namespace corvel {

enum class Buttons { Ok, OkCancel };
enum class Icon { Question, Exclamation, Critical };

struct MessageBoxRequest {
    std::string text;   // UTF-8
    std::string title;  // UTF-8
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::Critical;
    friend bool operator==(const MessageBoxRequest&, const MessageBoxRequest&) = default;
};

}  // namespace corvel
