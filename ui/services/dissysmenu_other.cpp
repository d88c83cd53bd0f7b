// Other systems: the window manager owns the title bar's menu, so the only
// entry that can be taken away is Close, by asking for a title bar without
// a close button. The window refuses close requests itself as well.
#include "dissysmenu.h"

#include <QWidget>

namespace corvel {

void disSysMenu(QWidget* window, int position)
{
    if (position != kSysMenuClose)
        return;
    window->setWindowFlag(Qt::WindowCloseButtonHint, false);
}

}  // namespace corvel
