// Windows: the window's own system menu, changed in place.
#include "systemmenu.h"

#include <QWidget>

#include <windows.h>

namespace corvel {

void removeSystemMenuEntry(QWidget* window, int position)
{
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(window->winId()), FALSE);
    RemoveMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

}  // namespace corvel
