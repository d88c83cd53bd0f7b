// The application's pictures: icons and mouse pointers, drawn as XPM in
// ui/qt/icons by scripts/draw_icons.py.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace corvel::artwork {

QIcon applicationIcon();        // three books, 32x32 and 16x16
QPixmap applicationPicture();   // the 32x32 books
QIcon otherWindowIcon();        // the slanted red block, 32x32 and 16x16
QCursor pointingHand();         // 16 colours, fingertip hot spot at (12, 1)
QCursor linkHand();             // black and white, fingertip hot spot at (6, 0)

}  // namespace corvel::artwork
