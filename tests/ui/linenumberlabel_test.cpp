// The line number is current at every line but drawn at most once a frame.
#include "linenumberlabel.h"
#include "uitest.h"

#include <QElapsedTimer>
#include <QTest>

using namespace corvel;

class LineNumberLabelTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::prepareApplication(); }

    void drawsOncePerFrameAndEndsOnTheLastNumber()
    {
        QWidget window;
        window.resize(200, 50);
        auto* label = new LineNumberLabel(QStringLiteral("0"), &window);
        label->setGeometry(10, 10, 80, 20);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();

        const int before = label->paintCount();
        QElapsedTimer clock;
        clock.start();
        int line = 0;
        while (clock.elapsed() < 200) {
            label->showLine(++line);
            QCOMPARE(label->text(), QString::number(line));
            QCoreApplication::processEvents();
        }
        const qint64 elapsed = clock.elapsed();
        const int drawn = label->paintCount() - before;
        QVERIFY2(line > 1000, "the loop is too slow to tell frames from lines");
        QVERIFY2(drawn >= 2, "the number never reached the screen during the loop");
        QVERIFY2(drawn <= elapsed / LineNumberLabel::kFrameMs + 2, qPrintable(QString::number(drawn)));

        // Once the numbers stop, the label paints as any other again.
        QTest::qWait(3 * LineNumberLabel::kFrameMs);
        const int settled = label->paintCount();
        label->update();
        QTRY_VERIFY(label->paintCount() > settled);
    }
};

QTEST_MAIN(LineNumberLabelTest)
#include "linenumberlabel_test.moc"
