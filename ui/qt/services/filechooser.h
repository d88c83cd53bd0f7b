// The file chooser shared by both check windows: a modal file dialog over
// the calling window that returns the chosen file's full path, or an empty
// text when the user cancels. It leaves the process's working directory
// alone: the windows give each run its output folder themselves.
#pragma once

#include "file_chooser_request.h"

#include <QString>
#include <QStringList>

#include <vector>

class QWidget;

namespace corvel {

QString showFileChooser(QWidget* owner, const FileChooserRequest& request);

// The dialog's name filters, first pair first. "*.*" means every file, as on
// Windows.
QStringList nameFilters(const std::vector<FileFilter>& filters);

// The folder the dialog opens in: the requested one where it exists,
// otherwise the user's Documents folder, otherwise the home folder.
QString startFolder(const QString& requested);

}  // namespace corvel
