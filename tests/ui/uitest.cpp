#include "uitest.h"

#include "uisetup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace corvel::test {

void prepareApplication()
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    installDialogStyle(*app);
    installDesignFonts(*app);
    installChineseTranslations(*app);
    QApplication::setQuitOnLastWindowClosed(false);
}

QByteArray gbk(const QString& text)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

QString fromGbk(const QByteArray& bytes)
{
    QStringDecoder decoder("GBK");
    return decoder.decode(bytes);
}

void writeDictionary(const QString& path, const QStringList& lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    for (const QString& line : lines)
        file.write(gbk(line) + "\r\n");
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

EditorLauncher recordingLauncher(const std::shared_ptr<LauncherLog>& log)
{
    return [log](const EditorRequest& request) {
        log->requests.push_back(request);
        if (log->result == ErrorKind::None)
            return Error();
        return Error(log->result, FileOp::StartProgram, "editor", "refused by the test");
    };
}

Scratch::Scratch()
    : previousCwd_(QDir::currentPath())
{
}

Scratch::~Scratch() { QDir::setCurrent(previousCwd_); }

}  // namespace corvel::test
