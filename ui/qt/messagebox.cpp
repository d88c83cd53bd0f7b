#include "messagebox.h"

#include <QMessageBox>

namespace corvel {

namespace {

QMessageBox::Icon boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Critical: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(Buttons buttons)
{
    return buttons == Buttons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                        : QMessageBox::StandardButtons(QMessageBox::Ok);
}

}  // namespace

Answer showMessageBox(QWidget* owner, const MessageBoxRequest& request)
{
    QMessageBox box(boxIcon(request.icon), QString::fromStdString(request.title),
                    QString::fromStdString(request.text), boxButtons(request.buttons), owner);
    box.setDefaultButton(QMessageBox::Ok);
    // Escape and the close box answer Cancel where there is one, else OK.
    box.setEscapeButton(request.buttons == Buttons::OkCancel ? QMessageBox::Cancel
                                                              : QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

}  // namespace corvel
