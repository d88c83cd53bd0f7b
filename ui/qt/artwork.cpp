#include "artwork.h"

// The XPM files define their pictures as static arrays.
#include "block16.xpm"
#include "block32.xpm"
#include "books16.xpm"
#include "books32.xpm"
#include "hand.xpm"
#include "handmono.xpm"

namespace corvel::artwork {

namespace {

QIcon iconOf(const char* const* large, const char* const* small)
{
    QIcon icon;
    icon.addPixmap(QPixmap(large));
    icon.addPixmap(QPixmap(small));
    return icon;
}

}  // namespace

QIcon applicationIcon() { return iconOf(books32_xpm, books16_xpm); }

QPixmap applicationPicture() { return QPixmap(books32_xpm); }

QIcon otherWindowIcon() { return iconOf(block32_xpm, block16_xpm); }

QCursor pointingHand() { return QCursor(QPixmap(hand_xpm), 12, 1); }

QCursor linkHand() { return QCursor(QPixmap(handmono_xpm), 6, 0); }

}  // namespace corvel::artwork
