#include "dialogstyle.h"

#include <QFrame>
#include <QPainter>
#include <QStyleOption>

namespace corvel {

namespace {

// The caption starts this far in from the frame's left edge, and the line
// stays this far clear of it on either side.
constexpr int kCaptionIndent = 8;
constexpr int kCaptionGap = 2;

// A frame without a check box, or nothing.
const QStyleOptionGroupBox* plainFrame(const QStyleOptionComplex* option)
{
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (!box || (box->subControls & QStyle::SC_GroupBoxCheckBox))
        return nullptr;
    return box;
}

}  // namespace

DialogStyle::DialogStyle() = default;

QIcon DialogStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                const QWidget* widget) const
{
    if (option)  // drawn for a particular state: not cached
        return QProxyStyle::standardIcon(icon, option, widget);
    auto found = icons_.constFind(icon);
    if (found == icons_.constEnd())
        found = icons_.insert(icon, QProxyStyle::standardIcon(icon, nullptr, widget));
    return *found;
}

int DialogStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                           QStyleHintReturn* returnData) const
{
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

QRect DialogStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                  SubControl subControl, const QWidget* widget) const
{
    const QStyleOptionGroupBox* box = control == CC_GroupBox ? plainFrame(option) : nullptr;
    if (box && (subControl == SC_GroupBoxLabel || subControl == SC_GroupBoxFrame)) {
        const QSize text = box->text.isEmpty()
            ? QSize()
            : box->fontMetrics.size(Qt::TextShowMnemonic, box->text);
        const QRect label(box->rect.topLeft() + QPoint(kCaptionIndent, 0), text);
        if (subControl == SC_GroupBoxLabel)
            return label;
        return box->rect.adjusted(0, label.height() / 2, 0, 0);
    }
    return QProxyStyle::subControlRect(control, option, subControl, widget);
}

void DialogStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const
{
    const QStyleOptionGroupBox* box = control == CC_GroupBox ? plainFrame(option) : nullptr;
    if (!box) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QRect label = subControlRect(control, option, SC_GroupBoxLabel, widget);
    QStyleOptionFrame frame;
    frame.QStyleOption::operator=(*box);
    frame.rect = subControlRect(control, option, SC_GroupBoxFrame, widget);
    frame.frameShape = QFrame::Box;
    frame.state |= State_Sunken;
    frame.lineWidth = 1;
    frame.midLineWidth = 0;
    if (box->text.isEmpty()) {
        proxy()->drawControl(CE_ShapedFrame, &frame, painter, widget);
        return;
    }
    painter->save();
    painter->setClipRegion(QRegion(box->rect)
                           - QRegion(label.adjusted(-kCaptionGap, 0, kCaptionGap, 0)));
    proxy()->drawControl(CE_ShapedFrame, &frame, painter, widget);
    painter->restore();
    proxy()->drawItemText(painter, label, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                          box->palette, box->state & State_Enabled, box->text,
                          QPalette::WindowText);
}

void DialogStyle::loadMessageIcons() const
{
    for (StandardPixmap icon : {SP_MessageBoxQuestion, SP_MessageBoxWarning,
                                SP_MessageBoxCritical, SP_MessageBoxInformation})
        standardIcon(icon);
}

}  // namespace corvel
