// Windows: Notepad, as the check runs' command lines name it.
#include "editorlauncher.h"

#include <QDir>

namespace corvel {

EditorCommand editorCommand(const std::filesystem::path& log)
{
    const QString path = QDir::toNativeSeparators(
        QDir::current().absoluteFilePath(QString::fromStdWString(log.wstring())));
    return {QStringLiteral("notepad.exe"), {path}};
}

}  // namespace corvel
