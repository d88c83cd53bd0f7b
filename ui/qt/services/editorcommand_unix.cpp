// Linux and other freedesktop systems: the desktop's handler for text files.
// macOS: the default text editor.
#include "editorlauncher.h"

#include <QFileInfo>

namespace corvel {

EditorCommand editorCommand(const std::filesystem::path& log)
{
    const QString path = QFileInfo(QString::fromStdString(log.string())).absoluteFilePath();
#ifdef Q_OS_MACOS
    return {QStringLiteral("open"), {QStringLiteral("-t"), path}};
#else
    return {QStringLiteral("xdg-open"), {path}};
#endif
}

}  // namespace corvel
