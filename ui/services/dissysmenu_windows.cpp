// Windows: the window's own system menu, changed in place.
#include "dissysmenu.h"

#include <QWidget>

#include <windows.h>

namespace corvel {

void disSysMenu(QWidget* window, int position)
{
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(window->winId()), FALSE);
    RemoveMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

}  // namespace corvel
