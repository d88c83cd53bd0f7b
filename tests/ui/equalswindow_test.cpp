// The equals-line window and the switching between the two windows.
#include "boxanswerer.h"
#include "checkwindow.h"
#include "uitest.h"
#include "windowswitch.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
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

const QString kDone = QStringLiteral("已经处理完成。是否要查看记录？");
const QString kStopQuestion = QStringLiteral("真的要停止校验操作吗？");

// Accepted, untranslated, serious error (no "="), accepted.
const QStringList kSample {"Hello=你好", "World=World", "no equals sign", "中文=Bye再见"};

struct Other {
    std::shared_ptr<LauncherLog> launched = std::make_shared<LauncherLog>();
    CheckWindow window {WindowKind::Equals, recordingLauncher(launched)};
    QSignalSpy ended {&window, &CheckWindow::endRequested};

    Other()
    {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("window not exposed");
    }

    void choose(const QString& path)
    {
        BoxAnswerer answers;
        answers.choose(path);
        QTest::mouseClick(control<QPushButton>(&window, "cmdopen"), Qt::LeftButton);
        QVERIFY(answers.seen().isEmpty());  // no warning for any file type
    }

    bool shows(const char* name) { return control<QWidget>(&window, name)->isVisible(); }
    bool checkEnabled() { return control<QPushButton>(&window, "cmdCheck")->isEnabled(); }
    QString status() { return control<QLabel>(&window, "lbl5")->text(); }
};

// Ways to end the window.
enum class Ending { EscOnWindow, EscOnFocusedControl, CloseRequest };

int liveCheckWindows()
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        count += qobject_cast<CheckWindow*>(w) != nullptr;
    return count;
}

}  // namespace

Q_DECLARE_METATYPE(Ending)

class EqualsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { prepareApplication(); }

    // The window has no close command: no close button (on Windows the
    // system menu's entry goes instead).
    void noCloseButton()
    {
#ifndef Q_OS_WIN
        Other o;
        QVERIFY(!(o.window.windowFlags() & Qt::WindowCloseButtonHint));
#endif
    }

    // The information's three lines are drawn apart: three bands of ink with
    // blank pixel rows between them, all inside the label.
    void informationLinesDoNotCrowd()
    {
        Other o;
        auto* info = control<QLabel>(&o.window, "lblinfo");
        const QImage image = info->grab().toImage();
        const QRgb paper = image.pixel(0, 0);
        int bands = 0;
        bool inInk = false;
        for (int y = 0; y < image.height(); ++y) {
            bool ink = false;
            for (int x = 0; x < image.width() && !ink; ++x)
                ink = image.pixel(x, y) != paper;
            if (ink && !inInk)
                ++bands;
            inInk = ink;
        }
        QCOMPARE(bands, 3);
        QVERIFY(!inInk);  // the last line is not cut off
    }

    // Choosing a UTF-8 dictionary with LF line ends brings up the reading
    // warning as a real box; the check is then possible as ever.
    void readingWarningAfterChoosing()
    {
        Scratch scratch;
        QFile utf8(scratch.path("utf8.DAT"));
        QVERIFY(utf8.open(QIODevice::WriteOnly));
        utf8.write("Open=\xE6\x89\x93\xE5\xBC\x80\nSave=\xE4\xBF\x9D\xE5\xAD\x98\n");
        utf8.close();
        Other o;
        BoxAnswerer answers;
        answers.answer(QStringLiteral("UTF-8 编码"), QMessageBox::Ok);
        answers.choose(scratch.path("utf8.DAT"));
        QTest::mouseClick(control<QPushButton>(&o.window, "cmdopen"), Qt::LeftButton);
        QCOMPARE(answers.seen().size(), 1);
        QVERIFY(answers.seen().front().contains(QStringLiteral("（LF）")));
        QVERIFY(o.checkEnabled());
    }

    void choosingShowsStatusBoxForGood()
    {
        Scratch scratch;
        writeDictionary(scratch.path("words.dat"), kSample);
        writeDictionary(scratch.path("words.txt"), kSample);
        Other o;
        o.choose(scratch.path("words.txt"));  // not .DAT: accepted without a word
        QVERIFY(o.shows("img") && o.shows("lbl5"));
        QVERIFY(!o.shows("frainfo"));
        QCOMPARE(o.status(), QStringLiteral("等待检错或纠错工作"));
        QVERIFY(o.checkEnabled());

        // Typing reaches the path box's rule, which undoes it.
        auto* txtfile = control<QLineEdit>(&o.window, "txtfile");
        const QString chosen = txtfile->text();
        QTest::keyClicks(txtfile, "typed");
        QCOMPARE(txtfile->text(), chosen);
    }

    void checkAndCorrectRuns_data()
    {
        QTest::addColumn<bool>("correct");
        QTest::newRow("check") << false;
        QTest::newRow("correct") << true;
    }

    void checkAndCorrectRuns()
    {
        QFETCH(bool, correct);
        Scratch scratch;
        writeDictionary(scratch.path("words.dat"), kSample);
        Other o;
        o.choose(scratch.path("words.dat"));
        if (correct)
            QTest::mouseClick(control<QRadioButton>(&o.window, "optcro"), Qt::LeftButton);
        BoxAnswerer answers;
        answers.answer(kDone, QMessageBox::Cancel);
        QTest::mouseClick(control<QPushButton>(&o.window, "cmdCheck"), Qt::LeftButton);

        QCOMPARE(answers.seen(), QStringList {kDone});
        QCOMPARE(o.status(), QStringLiteral("总共处理了 4 行"));
        QVERIFY(o.checkEnabled() && control<QPushButton>(&o.window, "cmdret")->isEnabled());
        const QString log = fromGbk(readAll(scratch.path("words/words.log")));
        QVERIFY2(log.contains(QStringLiteral("第 2 行没有翻译")), qPrintable(log));
        QVERIFY(log.contains(QStringLiteral("* 第 3 行发生严重错误。")));
        QVERIFY(log.contains(correct ? QStringLiteral("纠错") : QStringLiteral("检错")));
        QCOMPARE(QFileInfo::exists(scratch.path("words/words.dat")), correct);
        if (correct)
            QCOMPARE(readAll(scratch.path("words/words.dat")), gbk("Hello=你好\r\n中文=Bye再见\r\n"));
        QCOMPARE(o.ended.count(), 0);
    }

    // ESC, from the window or with Alt from a focused control, asks the
    // stop question; the close request is refused and asks nothing.
    void endingTheWindow_data()
    {
        QTest::addColumn<Ending>("ending");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<int>("ends");
        QTest::newRow("ESC, Cancel") << Ending::EscOnWindow << QMessageBox::Cancel << true << 0;
        QTest::newRow("Alt+ESC on an option, OK")
            << Ending::EscOnFocusedControl << QMessageBox::Ok << true << 1;
        QTest::newRow("close request") << Ending::CloseRequest << QMessageBox::Ok << false << 0;
    }

    void endingTheWindow()
    {
        QFETCH(Ending, ending);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, asked);
        QFETCH(int, ends);
        Other o;
        BoxAnswerer answers;
        answers.answer(kStopQuestion, answer);
        switch (ending) {
        case Ending::EscOnWindow: QTest::keyClick(&o.window, Qt::Key_Escape); break;
        case Ending::EscOnFocusedControl:
            QTest::keyClick(control<QRadioButton>(&o.window, "optChect"), Qt::Key_Escape,
                            Qt::AltModifier);
            break;
        case Ending::CloseRequest:
            QVERIFY(!o.window.close());
            QVERIFY(o.window.isVisible());
            break;
        }
        QCOMPARE(answers.seen(), asked ? QStringList {kStopQuestion} : QStringList {});
        QCOMPARE(o.ended.count(), ends);
    }

    // Each switch leaves exactly one window, created afresh from its design.
    void switchingTwiceLeavesOneFreshWindow()
    {
        QtWindowSwitch windows(recordingLauncher(std::make_shared<LauncherLog>()));
        windows.showMain();
        CheckWindow* main = windows.current();
        QCOMPARE(main->objectName(), QStringLiteral("frmmain"));
        control<QCheckBox>(main, "chkspac")->setChecked(true);
        QTest::mouseClick(control<QRadioButton>(main, "optcorrect"), Qt::LeftButton);

        for (int round = 0; round < 2; ++round) {
            QTest::mouseClick(control<QLabel>(windows.current(), "lblother"), Qt::LeftButton);
            QCOMPARE(windows.current()->objectName(), QStringLiteral("frmother"));
            control<QRadioButton>(windows.current(), "optcro")->setChecked(true);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(liveCheckWindows(), 1);

            QTest::mouseClick(control<QPushButton>(windows.current(), "cmdret"), Qt::LeftButton);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(liveCheckWindows(), 1);
            main = windows.current();
            QCOMPARE(main->objectName(), QStringLiteral("frmmain"));
            QVERIFY(main->isVisible());
            QVERIFY(control<QRadioButton>(main, "optcheck")->isChecked());
            QVERIFY(!control<QCheckBox>(main, "chkspac")->isChecked());
            QVERIFY(control<QLineEdit>(main, "txtfile")->text().isEmpty());
        }
        QTest::mouseClick(control<QLabel>(windows.current(), "lblother"), Qt::LeftButton);
        QVERIFY(control<QRadioButton>(windows.current(), "optChect")->isChecked());
    }

    void endFromEitherWindowReachesTheSwitch()
    {
        QtWindowSwitch windows(recordingLauncher(std::make_shared<LauncherLog>()));
        QSignalSpy ended(&windows, &QtWindowSwitch::endRequested);
        windows.showMain();
        QTest::mouseClick(control<QLabel>(windows.current(), "lblother"), Qt::LeftButton);
        BoxAnswerer ok;
        ok.answer(kStopQuestion, QMessageBox::Ok);
        QTest::keyClick(windows.current(), Qt::Key_Escape);
        QCOMPARE(ended.count(), 1);
    }
};

QTEST_MAIN(EqualsWindowTest)
#include "equalswindow_test.moc"
