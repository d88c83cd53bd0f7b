#include "ending.h"

#include <QApplication>
#include <QWidget>

namespace corvel {

void endApplication()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

}  // namespace corvel
