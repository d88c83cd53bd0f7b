// The file chooser shared by both check windows: a modal file dialog over
// the calling window that returns the chosen file's full path, or an empty
// text when the user cancels. A successful choice also makes the chosen
// file's folder the process's working directory, where the check runs
// create their output folders.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace corvel {

enum class FileDlgMode {
    Open = 1,  // choose an existing file
    Save = 2,  // name a file to write (asks before overwriting)
};

struct FileDlgRequest {
    QWidget* owner = nullptr;
    FileDlgMode mode = FileDlgMode::Open;
    QString title;
    QString initialFile;
    // Label and pattern pairs, each item separated from the next by a NUL:
    // "文本文件(*.TXT)" NUL "*.TXT" NUL "所有文件(*.*)" NUL "*.*".
    QString filter;
    QString initialFolder;
    QString defaultExtension;
};

QString showFileDlg(const FileDlgRequest& request);

// The dialog's name filters for a NUL-separated filter text, first pair
// first. "*.*" means every file, as on Windows.
QStringList nameFilters(const QString& filter);

// The folder the dialog opens in: the requested one where it exists,
// otherwise the user's Documents folder, otherwise the home folder.
QString startFolder(const QString& requested);

}  // namespace corvel
