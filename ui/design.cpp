#include "design.h"

#include <QPalette>
#include <QWidget>

namespace corvel::design {

QFont songFont(qreal points, bool bold)
{
    QFont font(kSong);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont kaiFont(qreal points, bool bold)
{
    QFont font(kKai);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void place(QWidget* control, const QRect& designRect)
{
    const QSize hint = control->sizeHint();
    QRect geometry = designRect;
    geometry.setWidth(qMax(designRect.width(), hint.width()));
    geometry.setHeight(qMax(designRect.height(), hint.height()));
    control->setGeometry(geometry);
}

void setTextColour(QWidget* control, const QColor& colour)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    control->setPalette(palette);
}

}  // namespace corvel::design
