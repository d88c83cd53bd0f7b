// Window layouts are designed in twips (15 twips = 1 pixel at 96 dpi) with
// fonts named as on a Chinese Windows desktop; these helpers turn the design
// values into widget geometry and fonts.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QWidget;

namespace corvel::design {

inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) { return twips / kTwipsPerPixel; }

// A rectangle given as Left, Top, Width, Height in twips.
constexpr QRect twips(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// The design font families; start-up maps them to installed fonts.
inline const QString kSong = QStringLiteral("宋体");
inline const QString kKai = QStringLiteral("楷体_GB2312");

QFont songFont(qreal points, bool bold = false);
QFont kaiFont(qreal points, bool bold = false);

// The design rectangle grown to `needed` where that is larger: to the right,
// and up and down around the design's vertical centre, so that the text and
// the indicator of a grown control stay on the design's centre line (as
// the system draws them, centred in the control) instead of moving down.
QRect grown(const QRect& designRect, const QSize& needed);

// Places a control at its design rectangle, grown to its size hint where the
// installed font needs more room than the design font did.
void place(QWidget* control, const QRect& designRect);

// Text colour of a label or button.
void setTextColour(QWidget* control, const QColor& colour);

}  // namespace corvel::design
