// The about window's behaviour: a click on the background, the product name,
// "免费软件" or the request for suggestions closes it; the e-mail and
// home-page lines hand their addresses to the desktop. It handles no keys.
#pragma once

#include "window_view.h"

#include <optional>

namespace corvel {

class AboutWindowBehaviour {
public:
    explicit AboutWindowBehaviour(AboutView& view) : view_(view) {}

    // A click on a control, or on the window's background (nullopt).
    void clicked(std::optional<Control> control);

    static std::string mailAddress();  // "mailto:" and the contact address

private:
    AboutView& view_;
};

}  // namespace corvel
