// The design values of ui_core (window_design.h) as Qt has them: texts,
// pixel rectangles at 96 dpi, fonts, colours and mouse pointers.
#pragma once

#include "window_design.h"

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QRect>
#include <QString>

#include <string_view>

class QWidget;

namespace corvel::design {

// A design text (UTF-8) as Qt holds it.
QString text(std::string_view utf8);
QRect pixelRect(const TwipRect& rect);
QFont font(const FontDesign& font);
// A design colour; system colours as the application palette has them.
QColor colour(const Colour& colour);
QCursor cursor(Pointer pointer);

// The design rectangle grown to `needed` where that is larger: to the right,
// and up and down around the design's vertical centre, so that the text and
// the indicator of a grown control stay on the design's centre line (as
// the system draws them, centred in the control) instead of moving down.
QRect grown(const QRect& designRect, const QSize& needed);

// Text colour of a label or button.
void setTextColour(QWidget* control, const QColor& colour);

}  // namespace corvel::design
