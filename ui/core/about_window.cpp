#include "about_window.h"

#include "identity.h"

namespace corvel {

std::string AboutWindowBehaviour::mailAddress() { return std::string("mailto:") + identity::kEmail; }

void AboutWindowBehaviour::clicked(std::optional<Control> control)
{
    if (!control) {
        view_.closeWindow();
        return;
    }
    switch (*control) {
    case Control::ProductName:
    case Control::FreeSoftware:
    case Control::SuggestionLine: view_.closeWindow(); break;
    case Control::EmailLine: view_.openAddress(mailAddress()); break;
    case Control::HomePageLine: view_.openAddress(identity::kHomePage); break;
    default: break;
    }
}

}  // namespace corvel
