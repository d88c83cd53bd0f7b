// Corvel.exe: the windows as a native Windows program. It reads no command
// line and keeps no settings: it opens the main window and runs until a
// window ends it.
#include "application.h"
#include "services.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    INITCOMMONCONTROLSEX controls {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    ::InitCommonControlsEx(&controls);
    corvel::win32::SystemServices services;
    corvel::win32::Application application(services);
    application.start();
    return application.run();
}
