// The main window driven as a user would, to see that real clicks, keys,
// edits and pointer moves reach the window's behaviour and that what it
// shows reaches the real widgets: the chooser, the boxes, whole runs
// writing their files, the endings, the hints. The behaviour's own rules
// are tested once for every view in the behaviour tests.
#include "boxanswerer.h"
#include "aboutwindow.h"
#include "checkwindow.h"
#include "uitest.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace corvel;
using namespace corvel::test;

namespace {

const QString kWaiting = QStringLiteral("等待检错或纠错工作");
const QString kDone = QStringLiteral("已经处理完成。是否要查看记录？");
const QString kStopQuestion = QStringLiteral("真的要停止校验吗？");
const QString kTypeWarning = QStringLiteral("该类型的文件可能无法进行处理！");
const QString kEmptyStop = QStringLiteral("遇到空行，停止执行程序！是否要查看记录？");

// Hello/你好 good, World/World untranslated, 错/错误 erroneous English,
// empty/空 an empty English line.
const QStringList kSample {"Hello", "你好", "World", "World", "错", "错误", "", "空"};

QPushButton* button(QWidget* w, const char* name) { return control<QPushButton>(w, name); }
QCheckBox* box(QWidget* w, const char* name) { return control<QCheckBox>(w, name); }
QLabel* label(QWidget* w, const char* name) { return control<QLabel>(w, name); }

// A window with a recording editor launcher, shown.
struct Main {
    std::shared_ptr<LauncherLog> launched = std::make_shared<LauncherLog>();
    CheckWindow window {WindowKind::Main, recordingLauncher(launched)};
    QSignalSpy ended {&window, &CheckWindow::endRequested};

    Main()
    {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("window not exposed");
    }

    void choose(const QString& path)
    {
        BoxAnswerer answers;
        answers.answer(kTypeWarning, QMessageBox::Ok);
        answers.choose(path);
        QTest::mouseClick(button(&window, "cmdopen"), Qt::LeftButton);
    }

    QString status(const char* name) { return label(&window, name)->text(); }
};

// Ways to end an idle window.
enum class Ending { EscOnWindow, EscOnFocusedControl, CloseBox, ExitButton };

// A dictionary of `pairs` good line pairs, long enough to act during its run.
QStringList longDictionary(int pairs)
{
    QStringList lines;
    lines.reserve(pairs * 2);
    for (int i = 0; i < pairs; ++i)
        lines << QStringLiteral("line %1").arg(i) << QStringLiteral("第%1行").arg(i);
    return lines;
}

}  // namespace

Q_DECLARE_METATYPE(Ending)

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { prepareApplication(); }

    // The frames' captions lie in their top line, as the design draws
    // frames: the line (found in the frame's right half, clear of the
    // caption) runs through the caption, whose ink lies above it and, on
    // rows where the right half shows nothing, below it.
    void frameCaptionsLieInTheTopLine()
    {
        Main m;
        for (const char* name : {"fracheck", "fracorrect"}) {
            const QImage image = control<QGroupBox>(&m.window, name)->grab().toImage();
            const QRgb paper = image.pixel(image.width() - 1, 0);
            auto ink = [&](int y, int from, int to) {
                for (int x = from; x < to; ++x)
                    if (image.pixel(x, y) != paper)
                        return true;
                return false;
            };
            const int half = image.width() / 2, right = image.width() - 8;
            auto solid = [&](int y) {
                for (int x = half; x < right; ++x)
                    if (image.pixel(x, y) == paper)
                        return false;
                return true;
            };
            int line = 0;
            while (line < image.height() && !solid(line))
                ++line;
            QVERIFY2(line < image.height(), name);
            // The caption's columns, clear of the frame's left edge.
            const int from = 4, to = image.width() / 4;
            bool above = false, below = false;
            for (int y = 0; y < line; ++y)
                above = above || ink(y, from, to);
            for (int y = line + 1; y < line + 12; ++y)
                below = below || (ink(y, from, to) && !ink(y, half, right));
            QVERIFY2(above && below, qPrintable(QStringLiteral("%1: line at %2").arg(name).arg(line)));
        }
    }

    // The option buttons reach the mode rule; a box keeps the mark the
    // user set while it is disabled.
    void modeButtonsSwitchTheBoxes()
    {
        Main m;
        QWidget* w = &m.window;
        box(w, "chkspac")->setChecked(true);
        QTest::mouseClick(control<QRadioButton>(w, "optcorrect"), Qt::LeftButton);
        QVERIFY(box(w, "chkspace")->isEnabled() && !box(w, "chkspac")->isEnabled());
        QTest::mouseClick(control<QRadioButton>(w, "optcheck"), Qt::LeftButton);
        QVERIFY(!box(w, "chkspace")->isEnabled() && box(w, "chkspac")->isEnabled());
        QVERIFY(box(w, "chkspac")->isChecked());
    }

    // Browse opens the real chooser; its path, a Chinese one too, reaches
    // the path box and the output folder, and a type warning shows as a box.
    void browseChoosesAndWarns_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("warned");
        QTest::newRow("DICT.TXT") << "DICT.TXT" << true;
        QTest::newRow("chinese name") << "汉化字典.txt" << false;
    }

    void browseChoosesAndWarns()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, warned);
        Scratch scratch;
        QDir(scratch.root()).mkdir(QStringLiteral("dic"));
        const QString path = scratch.path(QStringLiteral("dic/") + fileName);
        writeDictionary(path, kSample);
        Main m;
        BoxAnswerer answers;
        answers.answer(kTypeWarning, QMessageBox::Ok);
        answers.choose(path);
        QTest::mouseClick(button(&m.window, "cmdopen"), Qt::LeftButton);

        QCOMPARE(answers.seen().contains(kTypeWarning), warned);
        QCOMPARE(control<QLineEdit>(&m.window, "txtfile")->text(), QDir::toNativeSeparators(path));
        QVERIFY(button(&m.window, "cmdCheck")->isEnabled());
        QCOMPARE(QString::fromStdU16String(m.window.outputParent().u16string()),
                 QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
    }

    // Keys, Backspace and a paste into the real line edit are all undone.
    void pathBoxUndoesEdits()
    {
        Main m;
        auto* txtfile = control<QLineEdit>(&m.window, "txtfile");
        QTest::keyClicks(txtfile, "abcdef");
        QVERIFY(txtfile->text().isEmpty());
        QVERIFY(!button(&m.window, "cmdCheck")->isEnabled());

        Scratch scratch;
        writeDictionary(scratch.path("game.txt"), kSample);
        m.choose(scratch.path("game.txt"));
        const QString chosen = txtfile->text();
        txtfile->setFocus();
        QTest::keyClick(txtfile, Qt::Key_Backspace);
        QTest::keyClicks(txtfile, "x");
        txtfile->insert(QStringLiteral("pasted"));
        QCOMPARE(txtfile->text(), chosen);
        QVERIFY(button(&m.window, "cmdCheck")->isEnabled());
    }

    // Whole runs from the window: the clicked mode and the ticked box reach
    // the run, which writes its files beside the chosen one, asks its last
    // question as a real box, and gives the controls back; OK opens the log
    // the run wrote, by its absolute path.
    void runsFromTheWindow_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("tick");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<bool>("openLog");
        QTest::addColumn<QString>("lineAtPrompt");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("logWord");
        QTest::addColumn<QByteArray>("corrected");  // empty: none written
        QTest::newRow("check, OK opens the log")
            << "optcheck" << "" << kDone << true << "8" << "总共处理了 8 行" << "检错" << QByteArray();
        // The erroneous and the empty pair are dropped; the untranslated one stays.
        QTest::newRow("correct") << "optcorrect" << "" << kDone << false << "8" << "总共处理了 8 行"
                                 << "纠错" << gbk("Hello\r\n你好\r\nWorld\r\nWorld\r\n");
        // The stop comes while line 7 is handled, before its number is shown.
        QTest::newRow("stop on the empty line")
            << "optcheck" << "chkspac" << kEmptyStop << false << "6" << kWaiting << "检错" << QByteArray();
    }

    void runsFromTheWindow()
    {
        QFETCH(QString, mode);
        QFETCH(QString, tick);
        QFETCH(QString, prompt);
        QFETCH(bool, openLog);
        QFETCH(QString, lineAtPrompt);
        QFETCH(QString, status);
        QFETCH(QString, logWord);
        QFETCH(QByteArray, corrected);
        Scratch scratch;
        writeDictionary(scratch.path("game.txt"), kSample);
        const QByteArray original = readAll(scratch.path("game.txt"));
        Main m;
        QWidget* w = &m.window;
        m.choose(scratch.path("game.txt"));
        QTest::mouseClick(control<QRadioButton>(w, qPrintable(mode)), Qt::LeftButton);
        if (!tick.isEmpty())
            QTest::mouseClick(box(w, qPrintable(tick)), Qt::LeftButton);
        BoxAnswerer answers;
        QString lineShown;
        answers.handle(
            [&](QWidget* modal) {
                auto* b = qobject_cast<QMessageBox*>(modal);
                return b && b->text() == prompt;
            },
            [&](QWidget* modal) {
                lineShown = label(w, "lbl2")->text();
                static_cast<QMessageBox*>(modal)
                    ->button(openLog ? QMessageBox::Ok : QMessageBox::Cancel)
                    ->click();
            });
        QTest::mouseClick(button(w, "cmdCheck"), Qt::LeftButton);

        QCOMPARE(lineShown, lineAtPrompt);
        QCOMPARE(answers.seen(), QStringList {prompt});
        QCOMPARE(m.status("lbl5"), status);
        QVERIFY(label(w, "lbl5")->isVisible());
        for (const char* hidden : {"lbl1", "lbl2", "lbl3", "lbl4"})
            QVERIFY2(!label(w, hidden)->isVisible(), hidden);
        for (const char* name : {"cmdCheck", "cmdexit"})
            QVERIFY2(button(w, name)->isEnabled(), name);
        QVERIFY(label(w, "lblother")->isEnabled());
        const QString log = fromGbk(readAll(scratch.path("game/game.log")));
        QVERIFY2(log.contains(logWord), qPrintable(log));
        QCOMPARE(QFileInfo::exists(scratch.path("game/game.txt")), !corrected.isEmpty());
        if (!corrected.isEmpty())
            QCOMPARE(readAll(scratch.path("game/game.txt")), corrected);
        QCOMPARE(readAll(scratch.path("game.txt")), original);
        QCOMPARE(m.launched->requests.size(), size_t(openLog ? 1 : 0));
        if (openLog) {
            const EditorRequest& request = m.launched->requests.front();
            QVERIFY(request.log.is_absolute());
            QCOMPARE(QFileInfo(QString::fromStdString(request.log.string())).canonicalFilePath(),
                     QFileInfo(scratch.path("game/game.log")).canonicalFilePath());
        }
        QCOMPARE(m.ended.count(), 0);
    }

    // ESC with any modifier, from the window or from the control holding the
    // focus, asks the stop question; the close box and Exit end an idle
    // window at once, asking nothing.
    void endingAnIdleWindow_data()
    {
        QTest::addColumn<Ending>("ending");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<int>("ends");
        QTest::newRow("Shift+ESC, Cancel") << Ending::EscOnWindow << QMessageBox::Cancel << true << 0;
        QTest::newRow("Ctrl+ESC in the path box, OK")
            << Ending::EscOnFocusedControl << QMessageBox::Ok << true << 1;
        QTest::newRow("close box") << Ending::CloseBox << QMessageBox::Ok << false << 1;
        QTest::newRow("Exit") << Ending::ExitButton << QMessageBox::Ok << false << 1;
    }

    void endingAnIdleWindow()
    {
        QFETCH(Ending, ending);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, asked);
        QFETCH(int, ends);
        Main m;
        BoxAnswerer answers;
        answers.answer(kStopQuestion, answer);
        switch (ending) {
        case Ending::EscOnWindow: QTest::keyClick(&m.window, Qt::Key_Escape, Qt::ShiftModifier); break;
        case Ending::EscOnFocusedControl:
            QTest::keyClick(control<QLineEdit>(&m.window, "txtfile"), Qt::Key_Escape,
                            Qt::ControlModifier);
            break;
        case Ending::CloseBox: m.window.close(); break;
        case Ending::ExitButton: QTest::mouseClick(button(&m.window, "cmdexit"), Qt::LeftButton); break;
        }
        QCOMPARE(answers.seen(), asked ? QStringList {kStopQuestion} : QStringList {});
        QCOMPARE(m.ended.count(), ends);
    }

    void questionBoxSpeaksChinese()
    {
        Main m;
        BoxAnswerer answers;
        QString title, ok, cancel;
        QIcon okIcon;
        bool question = false;
        answers.handle([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
                       [&](QWidget* w) {
                           auto* box = static_cast<QMessageBox*>(w);
                           title = box->windowTitle();
                           question = box->icon() == QMessageBox::Question;
                           ok = box->button(QMessageBox::Ok)->text();
                           okIcon = box->button(QMessageBox::Ok)->icon();
                           cancel = box->button(QMessageBox::Cancel)->text();
                           box->button(QMessageBox::Cancel)->click();
                       });
        QTest::keyClick(&m.window, Qt::Key_Escape);
        QCOMPARE(title, QStringLiteral("停止"));
        QVERIFY(question);
        QCOMPARE(ok.remove(QLatin1Char('&')).left(2), QStringLiteral("确定"));
        QCOMPARE(cancel.remove(QLatin1Char('&')).left(2), QStringLiteral("取消"));
        QVERIFY(okIcon.isNull());  // plain buttons, as on Windows
    }

    // ESC during a run is served between lines and the window ends once the
    // run has stopped before its last line.
    void escDuringRunEndsTheRun()
    {
        Scratch scratch;
        writeDictionary(scratch.path("big.txt"), longDictionary(300000));
        Main m;
        m.choose(scratch.path("big.txt"));
        BoxAnswerer answers;
        answers.answer(kStopQuestion, QMessageBox::Ok);
        answers.once([&] { return label(&m.window, "lbl2")->isVisible(); },
                     [&] { QTest::keyClick(&m.window, Qt::Key_Escape); });
        QTest::mouseClick(button(&m.window, "cmdCheck"), Qt::LeftButton);

        QCOMPARE(answers.seen(), QStringList {kStopQuestion});
        QCOMPARE(m.ended.count(), 1);
        QVERIFY(m.window.isEnding());
        const int stoppedAt = label(&m.window, "lbl2")->text().toInt();
        QVERIFY(stoppedAt > 0 && stoppedAt < 600000);
    }

    // Clicks during a run are served: the mode switch and another file reach
    // the window, but Check is disabled and starts no second run.
    void clicksDuringRunStartNoSecondRun()
    {
        Scratch scratch;
        writeDictionary(scratch.path("big.txt"), longDictionary(200000));
        writeDictionary(scratch.path("other.txt"), kSample);
        Main m;
        QWidget* w = &m.window;
        m.choose(scratch.path("big.txt"));
        BoxAnswerer answers;
        answers.answer(kDone, QMessageBox::Cancel);
        answers.choose(scratch.path("other.txt"));
        bool checkEnabledMidRun = true;
        answers.once([&] { return label(w, "lbl2")->isVisible(); },
                     [&] {
                         QTest::mouseClick(control<QRadioButton>(w, "optcorrect"), Qt::LeftButton);
                         QTest::mouseClick(button(w, "cmdopen"), Qt::LeftButton);
                         checkEnabledMidRun = button(w, "cmdCheck")->isEnabled();
                         QTest::mouseClick(button(w, "cmdCheck"), Qt::LeftButton);
                     });
        QTest::mouseClick(button(w, "cmdCheck"), Qt::LeftButton);
        QVERIFY(!checkEnabledMidRun);
        QCOMPARE(answers.seen(), QStringList {kDone});  // one run, one prompt
        QCOMPARE(m.ended.count(), 0);
        QCOMPARE(m.status("lbl5").remove(QLatin1Char(' ')), QStringLiteral("总共处理了400000行"));
        QVERIFY(box(w, "chkspace")->isEnabled());  // the mode click was served
        QCOMPARE(control<QLineEdit>(w, "txtfile")->text(),
                 QDir::toNativeSeparators(scratch.path("other.txt")));
        QVERIFY(button(w, "cmdCheck")->isEnabled());
        QVERIFY(!QFileInfo::exists(scratch.path("big/big.txt")));  // the run kept check mode
    }

    // The pointer's moves reach the window: the switch lights up and stays
    // lit over a control, goes out over the bare window; a frame's hint
    // comes over the frame itself, not over the controls inside it.
    void hoverHighlightAndHints()
    {
        Main m;
        QWidget* w = &m.window;
        QLabel* other = label(w, "lblother");
        const QColor plain = other->palette().color(QPalette::Window);
        const QColor lit(0xFF, 0x80, 0xFF);
        struct Move {
            QWidget* target;
            QPoint at;
            QColor switchColour;
        };
        for (const Move& move : {Move {other, {5, 5}, lit}, Move {button(w, "cmdopen"), {5, 5}, lit},
                                 Move {w, {460, 10}, plain}}) {
            QTest::mouseMove(move.target, move.at);
            QCOMPARE(other->palette().color(QPalette::Window), move.switchColour);
        }

        auto* frame = control<QGroupBox>(w, "fracheck");
        QTest::mouseMove(box(w, "chkreplace"), QPoint(3, 3));
        QTest::mouseMove(control<QRadioButton>(w, "optcheck"), QPoint(3, 3));
        QVERIFY(frame->toolTip().isEmpty());
        QTest::mouseMove(frame, QPoint(frame->width() - 4, frame->height() - 4));
        QCOMPARE(frame->toolTip(), QStringLiteral("在使用前请您仔细阅读说明文件！"));

        QVERIFY(box(w, "chkstop")->toolTip().isEmpty());
        QTest::mouseMove(box(w, "chkstop"), QPoint(3, 3));
        QVERIFY(box(w, "chkstop")->toolTip().startsWith(QStringLiteral("如果连续出现这么多错误")));

        Scratch scratch;
        writeDictionary(scratch.path("game.txt"), kSample);
        m.choose(scratch.path("game.txt"));
        auto* txtfile = control<QLineEdit>(w, "txtfile");
        QTest::mouseMove(txtfile, QPoint(3, 3));
        QCOMPARE(txtfile->toolTip(), txtfile->text());
    }

    // While a run holds it, the switch to the other window looks disabled:
    // no highlight under the pointer and no hand cursor.
    void switchLooksDisabledDuringRun()
    {
        Scratch scratch;
        writeDictionary(scratch.path("big.txt"), longDictionary(100000));
        Main m;
        m.choose(scratch.path("big.txt"));
        QLabel* other = label(&m.window, "lblother");
        const QColor plain = other->palette().color(QPalette::Window);
        const Qt::CursorShape hand = other->cursor().shape();
        bool enabled = true;
        QColor lit;
        Qt::CursorShape during = hand;
        BoxAnswerer answers;
        answers.answer(kDone, QMessageBox::Cancel);
        answers.once([&] { return label(&m.window, "lbl2")->isVisible(); },
                     [&] {
                         QTest::mouseMove(other, QPoint(5, 5));
                         enabled = other->isEnabled();
                         lit = other->palette().color(QPalette::Window);
                         during = other->cursor().shape();
                     });
        QTest::mouseMove(other, QPoint(5, 5));  // lit, and stays lit over cmdCheck
        QTest::mouseClick(button(&m.window, "cmdCheck"), Qt::LeftButton);
        QVERIFY(!enabled);
        QCOMPARE(lit, plain);
        QVERIFY(during != hand);
        QCOMPARE(other->cursor().shape(), hand);  // back after the run
    }

    // The about window opened during a run holds the run until it closes.
    void aboutWindowPausesRun()
    {
        Scratch scratch;
        writeDictionary(scratch.path("big.txt"), longDictionary(300000));
        Main m;
        m.choose(scratch.path("big.txt"));
        BoxAnswerer answers;
        answers.answer(kDone, QMessageBox::Cancel);
        answers.once([&] { return label(&m.window, "lbl2")->isVisible(); },
                     [&] { QTest::mouseClick(button(&m.window, "cmdhelp"), Qt::LeftButton); });
        QString lineAtOpen, lineLater;
        QElapsedTimer open;
        answers.handle([](QWidget* w) { return qobject_cast<AboutWindow*>(w) != nullptr; },
                       [&](QWidget* w) {
                           if (!open.isValid()) {
                               open.start();
                               lineAtOpen = label(&m.window, "lbl2")->text();
                           } else if (open.elapsed() > 100) {
                               lineLater = label(&m.window, "lbl2")->text();
                               QTest::mouseClick(label(w, "Label1"), Qt::LeftButton);
                           }
                       });
        QTest::mouseClick(button(&m.window, "cmdCheck"), Qt::LeftButton);
        QVERIFY(!lineAtOpen.isEmpty());
        QCOMPARE(lineLater, lineAtOpen);
        QCOMPARE(answers.seen(), QStringList {kDone});  // then the run went on to its end
        QCOMPARE(m.status("lbl5").remove(QLatin1Char(' ')), QStringLiteral("总共处理了600000行"));
    }

    // The about window is modal over the main window and holds it.
    void aboutWindowIsModal()
    {
        Main m;
        BoxAnswerer answers;
        bool wasModal = false;
        answers.handle([](QWidget* w) { return qobject_cast<AboutWindow*>(w) != nullptr; },
                       [&](QWidget* w) {
                           wasModal = w->isModal() && w->parentWidget() == &m.window;
                           QTest::mouseClick(label(w, "Label1"), Qt::LeftButton);
                       });
        QTest::mouseClick(button(&m.window, "cmdhelp"), Qt::LeftButton);
        QVERIFY(wasModal);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
