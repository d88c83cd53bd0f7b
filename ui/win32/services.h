// What the Win32 windows ask of the system besides drawing: message boxes,
// the common file chooser, the text editor, the mail client and the web
// browser. The tests put stand-ins in their place.
#pragma once

#include "corvel/error.h"
#include "corvel/run_host.h"
#include "editor_request.h"
#include "file_chooser_request.h"
#include "message_box.h"
#include "win32_api.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvel::win32 {

class Services {
public:
    virtual ~Services() = default;
    // A modal message box over `owner`; the button pressed.
    virtual Answer showMessage(HWND owner, const MessageBoxRequest& request) = 0;
    // The modal open-file dialog over `owner`: the chosen file's full path
    // (UTF-8), or empty when the user cancelled or the dialog failed.
    virtual std::string chooseFile(HWND owner, const FileChooserRequest& request) = 0;
    // The editor started on a log (Notepad, with the run's command line).
    virtual Error openInEditor(const EditorRequest& request) = 0;
    // "mailto:..." to the mail client, a web address to the browser.
    virtual void openAddress(HWND owner, std::string_view address) = 0;
};

// The system's own: MessageBoxW, GetOpenFileNameW, CreateProcessW, ShellExecuteW.
class SystemServices final : public Services {
public:
    Answer showMessage(HWND owner, const MessageBoxRequest& request) override;
    std::string chooseFile(HWND owner, const FileChooserRequest& request) override;
    Error openInEditor(const EditorRequest& request) override;
    void openAddress(HWND owner, std::string_view address) override;
};

// MessageBoxW's flags for a request.
UINT messageBoxFlags(const MessageBoxRequest& request);
// The dialog's filter: label, NUL, pattern, NUL, ... and a closing NUL.
std::wstring chooserFilter(const std::vector<FileFilter>& filters);
// The folder the chooser opens in: the requested one where it exists, else
// the user's Documents folder, else the user's profile folder.
std::wstring startFolder(std::string_view requested);
// Removes the entry at `position` of the window's own system menu; nothing
// happens when there is none.
void removeSystemMenuEntry(HWND window, int position);

}  // namespace corvel::win32
