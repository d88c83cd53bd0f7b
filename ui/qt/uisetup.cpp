#include "uisetup.h"

#include "design.h"
#include "dialogstyle.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

namespace corvel {

void installDesignFonts(QApplication& app)
{
    const QStringList song {QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW")};
    const QStringList kai {QStringLiteral("AR PL UKai CN"), QStringLiteral("AR PL UKai TW")};
    QFont::insertSubstitutions(design::text(kSong), song);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), song);
    QFont::insertSubstitutions(design::text(kKai), kai);
    QFont::insertSubstitutions(QStringLiteral("KaiTi"), kai);
    app.setFont(design::font(kWindowFont));
}

void installDialogStyle(QApplication& app)
{
    auto* style = new DialogStyle;
    QApplication::setStyle(style);
    QTimer::singleShot(0, &app, [style] { style->loadMessageIcons(); });
}

bool installChineseTranslations(QApplication& app)
{
    auto* translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace corvel
