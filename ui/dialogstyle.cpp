#include "dialogstyle.h"

namespace corvel {

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

void DialogStyle::loadMessageIcons() const
{
    for (StandardPixmap icon : {SP_MessageBoxQuestion, SP_MessageBoxWarning,
                                SP_MessageBoxCritical, SP_MessageBoxInformation})
        standardIcon(icon);
}

}  // namespace corvel
