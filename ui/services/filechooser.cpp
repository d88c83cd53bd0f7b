#include "filechooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace corvel {

namespace {

// The pattern as the dialog reads it: "*.*" matches every file on Windows,
// also names without a dot.
QString dialogPattern(const QString& pattern)
{
    QStringList parts = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& part : parts) {
        part = part.trimmed();
        if (part == QLatin1String("*.*"))
            part = QStringLiteral("*");
    }
    return parts.join(QLatin1Char(' '));
}

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

void configure(QFileDialog& dialog, const FileChooserRequest& request)
{
    const bool open = request.mode == ChooserMode::Open;
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(nameFilters(request.filters));
    dialog.setDefaultSuffix(text(request.defaultExtension));
    dialog.setDirectory(startFolder(text(request.initialFolder)));
    if (!request.initialFile.empty())
        dialog.selectFile(text(request.initialFile));
}

}  // namespace

QStringList nameFilters(const std::vector<FileFilter>& filters)
{
    QStringList names;
    for (const FileFilter& filter : filters) {
        // The label is shown as it is; the pattern in brackets after it is
        // what the dialog filters by (HideNameFilterDetails hides it).
        names << text(filter.label) + QStringLiteral(" (") + dialogPattern(text(filter.pattern))
                + QLatin1Char(')');
    }
    return names;
}

QString startFolder(const QString& requested)
{
    const QFileInfo folder(requested);
    if (folder.isAbsolute() && folder.isDir())
        return folder.absoluteFilePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

QString showFileChooser(QWidget* owner, const FileChooserRequest& request)
{
    QFileDialog dialog(owner, text(request.title));
    dialog.setObjectName(QStringLiteral("ShowFileDlg"));
    configure(dialog, request);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return {};
    return QDir::toNativeSeparators(QFileInfo(chosen.first()).absoluteFilePath());
}

}  // namespace corvel
