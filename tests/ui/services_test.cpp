// The file chooser and the editor launcher.
#include "boxanswerer.h"
#include "services/editorlauncher.h"
#include "services/filechooser.h"
#include "uitest.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace corvel;
using namespace corvel::test;

namespace {

std::vector<FileFilter> filters()
{
    return {{"文本文件(*.TXT)", "*.TXT"}, {"所有文件(*.*)", "*.*"}};
}

FileChooserRequest request(const QString& folder)
{
    return {ChooserMode::Open, "请选择要校验的字典文件", "", filters(), folder.toStdString(), ""};
}

void touch(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
}

// File names the chooser's list shows once the folder has loaded.
QStringList listed(QFileDialog* dialog)
{
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    QStringList names;
    for (int row = 0; view && row < view->model()->rowCount(view->rootIndex()); ++row)
        names << view->model()->index(row, 0, view->rootIndex()).data().toString();
    return names;
}

QPushButton* openButton(QWidget* dialog)
{
    return dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))
        ->button(QDialogButtonBox::Open);
}

// Everything under `folder`, hidden files included, relative.
QStringList treeUnder(const QString& folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(folder).relativeFilePath(it.next());
    return found;
}

}  // namespace

class ServicesTest : public QObject {
    Q_OBJECT
private slots:
    // Every chooser here runs with a home and configuration folders of its
    // own, which must stay empty (chooserWritesNothingUnderHome). The fonts
    // are loaded first: a font cache the system may build is not ours.
    void initTestCase()
    {
        prepareApplication();
        (void)QFontDatabase::families();
        QVERIFY(home_.isValid());
        const QByteArray home = QFile::encodeName(home_.path());
        qputenv("HOME", home);
        qputenv("XDG_CONFIG_HOME", home + "/.config");
        qputenv("XDG_CACHE_HOME", home + "/.cache");
        qputenv("XDG_DATA_HOME", home + "/.local/share");
        qputenv("XDG_STATE_HOME", home + "/.local/state");
        QCOMPARE(QDir::homePath(), home_.path());
    }

    void filtersKeepLabelsAndMatchEveryFileForStarDotStar()
    {
        const QStringList filters = nameFilters(::filters());
        QCOMPARE(filters.size(), 2);
        QVERIFY(filters[0].startsWith(QStringLiteral("文本文件(*.TXT)")));
        QVERIFY(filters[0].endsWith(QStringLiteral("(*.TXT)")));
        QVERIFY(filters[1].startsWith(QStringLiteral("所有文件(*.*)")));
        QVERIFY(filters[1].endsWith(QStringLiteral(" (*)")));
    }

    void startFolderFallsBack()
    {
        Scratch scratch;
        QCOMPARE(startFolder(scratch.root()), QDir(scratch.root()).absolutePath());
        const QString fallback = startFolder(QStringLiteral("C:\\My Documents"));
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QVERIFY(fallback == documents || fallback == QDir::homePath());
        QVERIFY(QFileInfo(fallback).isDir());
    }

    // Opens in the given folder with the first filter selected; the filter
    // ignores case; the chosen Chinese path comes back unchanged and the
    // working directory is then its folder.
    void chooserOpensAsRequestedAndReturnsPath()
    {
        Scratch scratch;
        const QString folder = scratch.path(QStringLiteral("字典"));
        QDir().mkpath(folder);
        const QString chosen = folder + QStringLiteral("/汉化 game.txt");
        touch(chosen);
        touch(folder + QStringLiteral("/notes.dat"));
        touch(folder + QStringLiteral("/UPPER.TXT"));

        const QString workingFolder = QDir::currentPath();
        BoxAnswerer answers;
        QString title, selectedFilter, directory;
        QStringList shown;
        answers.handle([](QWidget* w) { return qobject_cast<QFileDialog*>(w) != nullptr; },
                       [&](QWidget* w) {
                           auto* dialog = static_cast<QFileDialog*>(w);
                           title = dialog->windowTitle();
                           selectedFilter = dialog->selectedNameFilter();
                           directory = dialog->directory().absolutePath();
                           // The listing loads in the background; compared below.
                           (void)QTest::qWaitFor([&] { return listed(dialog).size() >= 2; }, 3000);
                           shown = listed(dialog);
                           dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                               ->setText(chosen);
                           QTimer::singleShot(0, dialog, [dialog] {
                               static_cast<QDialog*>(dialog)->accept();
                           });
                       });
        const QString result = showFileChooser(nullptr, request(folder));

        QCOMPARE(title, QStringLiteral("请选择要校验的字典文件"));
        QVERIFY(selectedFilter.startsWith(QStringLiteral("文本文件(*.TXT)")));
        QCOMPARE(directory, QDir(folder).absolutePath());
        shown.sort();
        QCOMPARE(shown, (QStringList {QStringLiteral("UPPER.TXT"), QStringLiteral("汉化 game.txt")}));
        QCOMPARE(result, QDir::toNativeSeparators(chosen));
        QCOMPARE(QDir::currentPath(), workingFolder);  // the chooser leaves it alone
    }

    // A file that exists, typed by its full path or its name, opens with the
    // 打开 button although the filter (*.TXT) does not list it; a name that
    // does not exist leaves the button disabled.
    void typedExistingFileOpensWhateverTheFilter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("opens");
        QTest::newRow("full path") << QStringLiteral("FOLDER/说明.dat") << true;
        QTest::newRow("name") << QStringLiteral("说明.dat") << true;
        QTest::newRow("name without extension") << QStringLiteral("README") << true;
        QTest::newRow("missing") << QStringLiteral("missing.dat") << false;
    }

    void typedExistingFileOpensWhateverTheFilter()
    {
        QFETCH(QString, typed);
        QFETCH(bool, opens);
        Scratch scratch;
        touch(scratch.path(QStringLiteral("说明.dat")));
        touch(scratch.path(QStringLiteral("README")));
        touch(scratch.path(QStringLiteral("game.txt")));
        typed.replace(QStringLiteral("FOLDER"), scratch.root());

        BoxAnswerer answers;
        bool enabled = false;
        answers.handle([](QWidget* w) { return qobject_cast<QFileDialog*>(w) != nullptr; },
                       [&](QWidget* w) {
                           auto* dialog = static_cast<QFileDialog*>(w);
                           (void)QTest::qWaitFor([&] { return listed(dialog).size() >= 1; }, 3000);
                           dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                               ->setText(typed);
                           QTest::qWait(100);  // whatever the dialog does after the text
                           enabled = openButton(dialog)->isEnabled();
                           if (enabled)
                               QTest::mouseClick(openButton(dialog), Qt::LeftButton);
                           else
                               dialog->reject();
                       });
        const QString result = showFileChooser(nullptr, request(scratch.root()));

        QCOMPARE(enabled, opens);
        const QString expected = opens
            ? QDir::toNativeSeparators(QDir(scratch.root()).absoluteFilePath(typed))
            : QString();
        QCOMPARE(result, expected);
    }

    void cancelReturnsNothingWhateverWasTyped()
    {
        Scratch scratch;
        touch(scratch.path("game.txt"));
        BoxAnswerer answers;
        answers.handle([](QWidget* w) { return qobject_cast<QFileDialog*>(w) != nullptr; },
                       [&](QWidget* w) {
                           w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                               ->setText(QStringLiteral("game.txt"));
                           static_cast<QDialog*>(w)->reject();
                       });
        QCOMPARE(showFileChooser(nullptr, request(scratch.root())), QString());
    }

    // In open mode a name of a file that does not exist is refused and the
    // dialog stays open.
    void openModeRefusesMissingFile()
    {
        Scratch scratch;
        BoxAnswerer answers;
        int attempts = 0;
        bool warned = false;
        answers.handle([](QWidget* w) { return qobject_cast<QFileDialog*>(w) != nullptr; },
                       [&](QWidget* w) {
                           auto* dialog = static_cast<QDialog*>(w);
                           if (attempts++ > 0) {  // still open after the refusal
                               dialog->reject();
                               return;
                           }
                           w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                               ->setText(scratch.path("missing.txt"));
                           // Accepted outside the answering tick: the refusal
                           // opens a notice that a later tick closes.
                           QTimer::singleShot(0, dialog, [dialog] { dialog->accept(); });
                       });
        answers.handle([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
                       [&](QWidget* w) {
                           warned = true;
                           static_cast<QMessageBox*>(w)->accept();
                       });
        QCOMPARE(showFileChooser(nullptr, request(scratch.root())), QString());
        QVERIFY(warned);
        QCOMPARE(attempts, 2);
    }

    // The chooser remembers nothing: after choosing (and cancelling) nothing
    // is written under the home or configuration folders, where Qt's dialog
    // would keep its recent folders.
    void chooserWritesNothingUnderHome()
    {
        Scratch scratch;
        const QString chosen = scratch.path(QStringLiteral("game.txt"));
        touch(chosen);
        for (const QString& path : {chosen, QString()}) {
            BoxAnswerer answers;
            answers.choose(path);
            QCOMPARE(showFileChooser(nullptr, request(QStringLiteral("C:\\My Documents"))),
                     QDir::toNativeSeparators(path));
        }
        QCOMPARE(treeUnder(home_.path()), QStringList());
    }

    void editorGetsTheLogAsOneArgument()
    {
        const std::filesystem::path log = "/tmp/a folder/game; rm -rf x.log";
        const EditorCommand command = editorCommand(log);
        QCOMPARE(command.arguments.size(), qsizetype(1));
        QCOMPARE(command.arguments.last(), QStringLiteral("/tmp/a folder/game; rm -rf x.log"));
        QVERIFY(!command.program.contains(QLatin1Char(' ')));
    }

private:
    QTemporaryDir home_;

    void editorThatCannotStartIsFileNotFound()
    {
        const Error error = startDetached({QStringLiteral("/nonexistent/corvel-editor"), {}});
        QCOMPARE(error.kind(), ErrorKind::FileNotFound);
        QCOMPARE(startDetached({QStringLiteral("true"), {}}).kind(), ErrorKind::None);
    }
};

QTEST_MAIN(ServicesTest)
#include "services_test.moc"
