// Other systems: the window manager owns the title bar's menu, so the only
// entry that can be taken away is Close, by asking for a title bar without
// a close button. The window refuses close requests itself as well.
#include "systemmenu.h"

#include <QWidget>

namespace corvel {

void removeSystemMenuEntry(QWidget* window, int position)
{
    if (position != kSystemMenuClose)
        return;
    window->setWindowFlag(Qt::WindowCloseButtonHint, false);
}

}  // namespace corvel
