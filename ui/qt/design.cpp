#include "design.h"

#include "artwork.h"

#include <QPalette>
#include <QWidget>

namespace corvel::design {

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QRect pixelRect(const TwipRect& rect)
{
    return QRect(pixels(rect.left), pixels(rect.top), pixels(rect.width), pixels(rect.height));
}

QFont font(const FontDesign& font)
{
    QFont f(text(font.face));
    f.setPointSizeF(font.points);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    return f;
}

QColor colour(const Colour& colour)
{
    switch (colour.kind) {
    case Colour::Kind::Rgb: return QColor(colour.red(), colour.green(), colour.blue());
    case Colour::Kind::System:
        switch (static_cast<SystemColour>(colour.value)) {
        case SystemColour::MenuBackground: return QPalette().color(QPalette::Button);
        case SystemColour::WindowText: return QPalette().color(QPalette::WindowText);
        case SystemColour::InactiveBorder: return QPalette().color(QPalette::Inactive, QPalette::Mid);
        }
        break;
    case Colour::Kind::Default: break;
    }
    return {};
}

QCursor cursor(Pointer pointer)
{
    return pointer == Pointer::LinkHand ? artwork::linkHand() : artwork::pointingHand();
}

QRect grown(const QRect& designRect, const QSize& needed)
{
    const int height = qMax(designRect.height(), needed.height());
    const int top = designRect.top() - (height - designRect.height()) / 2;
    return QRect(designRect.left(), top, qMax(designRect.width(), needed.width()), height);
}

void setTextColour(QWidget* control, const QColor& colour)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    control->setPalette(palette);
}

}  // namespace corvel::design
