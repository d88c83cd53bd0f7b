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

QRect grown(const QRect& designRect, const QSize& needed)
{
    const int height = qMax(designRect.height(), needed.height());
    const int top = designRect.top() - (height - designRect.height()) / 2;
    return QRect(designRect.left(), top, qMax(designRect.width(), needed.width()), height);
}

void place(QWidget* control, const QRect& designRect)
{
    control->setGeometry(grown(designRect, control->sizeHint()));
}

void setTextColour(QWidget* control, const QColor& colour)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    control->setPalette(palette);
}

}  // namespace corvel::design
