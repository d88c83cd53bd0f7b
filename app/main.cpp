// Start-up: Qt's Chinese dialogs, the design fonts, and the main window.
// The application reads no command line and keeps no settings.
#include "artwork.h"
#include "ending.h"
#include "identity.h"
#include "uisetup.h"
#include "version.h"
#include "windowswitch.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(corvel::identity::kName));
    QApplication::setApplicationVersion(QString::fromUtf8(corvel::version::kFull));
    QApplication::setDesktopFileName(QStringLiteral("corvel"));
    QApplication::setWindowIcon(corvel::artwork::applicationIcon());
    // The windows end the application themselves, also when the last closes.
    QApplication::setQuitOnLastWindowClosed(false);
    corvel::installDialogStyle(app);
    corvel::installDesignFonts(app);
    corvel::installChineseTranslations(app);

    corvel::QtWindowSwitch windows;
    QObject::connect(&windows, &corvel::QtWindowSwitch::endRequested, &app, corvel::endApplication);
    windows.showMain();
    return app.exec();
}
