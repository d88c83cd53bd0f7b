// The application's widget style: the platform's own, with two changes for
// standard dialogs and one for frames. Standard icons are kept once loaded:
// looking one up in the desktop's icon themes probes the file system for
// some 20 ms each time a message box is built, which would hold back the ESC
// question by more than a display frame. The buttons of standard dialogs
// carry no icons, as on Windows. And frames are drawn as the windows'
// design draws them: an etched box whose top line runs through the middle
// of the caption, broken where the caption is.
#pragma once

#include <QHash>
#include <QProxyStyle>

namespace corvel {

class DialogStyle : public QProxyStyle {
    Q_OBJECT
public:
    DialogStyle();

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl subControl, const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;

    // Loads the message boxes' icons ahead of their first use.
    void loadMessageIcons() const;

private:
    mutable QHash<StandardPixmap, QIcon> icons_;
};

}  // namespace corvel
