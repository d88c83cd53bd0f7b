#include "filechooser.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
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

// The application keeps no settings, but Qt's file dialog keeps its own:
// it reads its recent folders from, and on closing writes them to,
// QtProject.conf in the user's configuration folder, a file that every Qt
// program shares. Qt offers no switch for that, so the user-scope settings
// path is pointed below /dev/null, where no file can be read or made (Corvel
// itself keeps no QSettings). On Windows Qt's native settings live in the
// registry, which a path does not redirect.
void keepNoDialogSettings()
{
    const QString nowhere = QStringLiteral("/dev/null");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
}

// Qt's dialog enables its open button only for a typed name that its list
// shows. The filter only chooses what is listed: an existing file typed by
// its name or full path may be opened whatever the filter, as in the system
// dialog of Windows (accept() checks that it exists).
void openTypedFiles(QFileDialog& dialog)
{
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    QPushButton* open = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
    if (!edit || !open)
        return;
    QObject::connect(edit, &QLineEdit::textChanged, open, [&dialog, open] {
        const QStringList files = dialog.selectedFiles();
        if (!open->isEnabled() && files.size() == 1 && QFileInfo(files.first()).isFile())
            open->setEnabled(true);
    });
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
    if (open)
        openTypedFiles(dialog);
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
    keepNoDialogSettings();
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
