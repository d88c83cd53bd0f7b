// Shared set-up of the window tests: the application as start-up prepares
// it, scratch folders, GBK files, and a launcher that records requests.
#pragma once

#include "services/editorlauncher.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>
#include <vector>

namespace corvel::test {

// Fonts and Chinese translations, as at start-up. Call from initTestCase.
void prepareApplication();

// The control of a window by its design name; a missing one ends the test.
template <typename T>
T* control(QWidget* window, const char* name)
{
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

QByteArray gbk(const QString& text);
QString fromGbk(const QByteArray& bytes);

// Writes lines joined and ended by CR LF, in GBK.
void writeDictionary(const QString& path, const QStringList& lines);
QByteArray readAll(const QString& path);

// An editor launcher that records what it was asked to open and reports a
// chosen result.
struct LauncherLog {
    std::vector<EditorRequest> requests;
    ErrorKind result = ErrorKind::None;
};
EditorLauncher recordingLauncher(const std::shared_ptr<LauncherLog>& log);

// A scratch folder for one test; the working directory is restored after.
class Scratch {
public:
    Scratch();
    ~Scratch();
    QString path(const QString& relative) const { return dir_.filePath(relative); }
    QString root() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QString previousCwd_;
};

}  // namespace corvel::test
