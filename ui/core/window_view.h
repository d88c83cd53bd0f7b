// What a toolkit implements to show a window: one view per window, built
// from the window's design (window_design.h). The behaviour classes
// (check_window.h, main_window.h, equals_window.h, about_window.h) decide
// what happens; a view only draws and reports the user's events to them.
#pragma once

#include "corvel/error.h"
#include "corvel/run_host.h"
#include "editor_request.h"
#include "file_chooser_request.h"
#include "message_box.h"
#include "window_design.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvel {

// The controls of one window.
class WindowView {
public:
    virtual ~WindowView() = default;

    // The text of a label, box, frame or button (UTF-8).
    virtual void setText(Control control, std::string_view text) = 0;
    virtual void setEnabled(Control control, bool enabled) = 0;
    virtual void setVisible(Control control, bool visible) = 0;
    virtual void setChecked(Control control, bool checked) = 0;
    // The check mark (check box) or selection (option button) as the user left it.
    virtual bool isChecked(Control control) const = 0;
    // The control's tooltip (UTF-8; empty: none).
    virtual void setHint(Control control, std::string_view text) = 0;
    // The design's hover colour as background (lit) or its plain background.
    virtual void setHighlight(Control control, bool lit) = 0;
};

// A check window (main or equals): its controls and the window-wide services
// the behaviour needs.
class CheckWindowView : public WindowView {
public:
    // lbl2's number: called after every line of a run, far more often than a
    // screen shows; a view may draw it at most once per display frame.
    virtual void showLineNumber(std::int32_t line) = 0;
    // A modal message box over the window; returns the button pressed.
    virtual Answer showMessage(const MessageBoxRequest& request) = 0;
    // The modal file chooser; the chosen file's full path (UTF-8), or empty
    // when the user cancelled or the dialog failed.
    virtual std::string chooseFile(const FileChooserRequest& request) = 0;
    virtual void beep() = 0;
    // Starts the editor on a log without waiting for it; an editor that
    // cannot be started is ErrorKind::FileNotFound.
    virtual Error openInEditor(const EditorRequest& request) = 0;
    // Serves the window events waiting now (clicks, keys, modal windows),
    // then returns: called between two lines of a run.
    virtual void serveEvents() = 0;
    // Shows the about window modally over this one; returns when it closes.
    virtual void showAbout() = 0;
    // This window goes and the other check window opens afresh from its
    // design. Called from inside this window's handler: the view must not
    // destroy the behaviour before the handler has returned.
    virtual void switchWindow() = 0;
    // Ends the application: every window goes. No run is in progress.
    virtual void endApplication() = 0;
};

// The about window.
class AboutView : public WindowView {
public:
    // Closes (and discards) the about window.
    virtual void closeWindow() = 0;
    // Hands an address to the desktop: "mailto:..." to the mail client, a
    // web address to a new browser window. Failures are not reported.
    virtual void openAddress(std::string_view address) = 0;
};

}  // namespace corvel
