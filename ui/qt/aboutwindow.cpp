#include "aboutwindow.h"

#include "design.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QUrl>

namespace corvel {

AboutWindow::AboutWindow(QWidget* opener)
    : QDialog(opener),
      controls_(windowDesign(WindowKind::About), this,
                Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                    | Qt::MSWindowsFixedSizeDialogHint),
      behaviour_(*this)
{
    controls_.onClicked([this](Control id) { behaviour_.clicked(id); });
}

void AboutWindow::closeWindow() { reject(); }

void AboutWindow::openAddress(std::string_view address)
{
    QDesktopServices::openUrl(QUrl(design::text(address)));
}

// A click on the window's own background; clicks that a control took do
// not reach here.
void AboutWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && childAt(event->position().toPoint()) == nullptr)
        behaviour_.clicked(std::nullopt);
}

// The window handles no keys: ESC does not close it.
void AboutWindow::keyPressEvent(QKeyEvent* event) { event->ignore(); }

}  // namespace corvel
