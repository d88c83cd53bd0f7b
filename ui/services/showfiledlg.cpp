#include "showfiledlg.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace corvel {

namespace {

constexpr QChar kSeparator = QChar(0);

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

void configure(QFileDialog& dialog, const FileDlgRequest& request)
{
    const bool open = request.mode == FileDlgMode::Open;
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(nameFilters(request.filter));
    dialog.setDefaultSuffix(request.defaultExtension);
    dialog.setDirectory(startFolder(request.initialFolder));
    if (!request.initialFile.isEmpty())
        dialog.selectFile(request.initialFile);
}

}  // namespace

QStringList nameFilters(const QString& filter)
{
    const QStringList items = filter.split(kSeparator);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < items.size(); i += 2) {
        // The label is shown as it is; the pattern in brackets after it is
        // what the dialog filters by (HideNameFilterDetails hides it).
        filters << items[i] + QStringLiteral(" (") + dialogPattern(items[i + 1])
                + QLatin1Char(')');
    }
    return filters;
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

QString showFileDlg(const FileDlgRequest& request)
{
    QFileDialog dialog(request.owner, request.title);
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
