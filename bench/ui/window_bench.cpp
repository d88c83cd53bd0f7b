// Throughput of the line-pair run through the real main window, and how
// fast ESC is answered while it runs. Run it under an X server (Xvfb):
//
//   xvfb-run -a -s '-screen 0 1024x768x24' window_bench [LINES] [FOLDER]
//
// It writes a line-pair dictionary of LINES lines (default 1,000,000) into
// FOLDER (default: a temporary folder), chooses it through the window's own
// file chooser, clicks cmdCheck and times the run up to the closing
// question. A second run gets ESC 150 ms after its start; the time
// from the key reaching the window's queue to the question on screen is
// reported. The editor is never started.
#include "checkwindow.h"
#include "linenumberlabel.h"
#include "uisetup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace corvel;

namespace {

void writeDictionary(const QString& path, int lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QStringEncoder gbk("GBK");
    const QByteArray chinese = gbk.encode(QStringLiteral("条目译文"));
    for (int i = 0; i < lines; i += 2) {
        file.write("Item number " + QByteArray::number(i) + " of the game\r\n");
        file.write(chinese + QByteArray::number(i) + "\r\n");
    }
}

// Answers the modal windows from a repeating timer, as a user would.
class Answerer : public QObject {
public:
    QString path;
    QMessageBox::StandardButton finalAnswer = QMessageBox::Cancel;
    qint64 finalShownNs = -1;  // when the closing question was first seen
    qint64 escShownNs = -1;    // when the ESC question appeared
    qint64 escKeyNs = -1;      // when the window received ESC
    QElapsedTimer clock;

    Answerer()
    {
        clock.start();
        timer_.setInterval(1);
        connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
        timer_.start();
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && escKeyNs < 0 && watched->isWidgetType()
            && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            escKeyNs = clock.nsecsElapsed();
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box && event->type() == QEvent::Show && escShownNs < 0
            && box->text().contains(QStringLiteral("停止校验")))
            escShownNs = clock.nsecsElapsed();
        return false;
    }

private:
    void tick()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
            static_cast<QDialog*>(dialog)->accept();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            const bool escQuestion = box->text().contains(QStringLiteral("停止校验"));
            if (!escQuestion && finalShownNs < 0)
                finalShownNs = clock.nsecsElapsed();
            box->button(escQuestion ? QMessageBox::Cancel : finalAnswer)->click();
        }
    }

    QTimer timer_;
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    installDialogStyle(app);
    installDesignFonts(app);
    installChineseTranslations(app);
    const int lines = argc > 1 ? QByteArray(argv[1]).toInt() : 1000000;
    QTemporaryDir scratch;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : scratch.path();
    const QString dictionary = folder + QStringLiteral("/bench.txt");
    writeDictionary(dictionary, lines);

    CheckWindow window(WindowKind::Main, [](const EditorRequest&) { return Error(); });
    window.show();
    auto* cmdopen = window.findChild<QPushButton*>(QStringLiteral("cmdopen"));
    auto* cmdCheck = window.findChild<QPushButton*>(QStringLiteral("cmdCheck"));
    auto* lbl2 = window.findChild<LineNumberLabel*>(QStringLiteral("lbl2"));
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 500)
        QCoreApplication::processEvents();

    // Full run.
    Answerer answers;
    answers.path = dictionary;
    cmdopen->click();
    const int paintsBefore = lbl2->paintCount();
    const qint64 start = answers.clock.nsecsElapsed();
    cmdCheck->click();
    const double seconds = (answers.finalShownNs - start) / 1e9;
    const int paints = lbl2->paintCount() - paintsBefore;
    std::printf("lines: %d\nrun: %.3f s, %.0f lines/s\nlbl2 drawn %d times (%.1f per second)\n",
                lines, seconds, lines / seconds, paints, paints / seconds);

    // Interrupted run: ESC after 150 ms, answered Cancel; the run goes on.
    Answerer esc;
    esc.path = dictionary;
    cmdopen->click();
    qint64 escPostedNs = -1;
    QTimer::singleShot(150, &window, [&] {
        escPostedNs = esc.clock.nsecsElapsed();
        QCoreApplication::postEvent(&window,
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    });
    cmdCheck->click();
    if (escPostedNs >= 0 && esc.escShownNs >= 0)
        std::printf("ESC handled %.2f ms and its question shown %.2f ms after the key\n",
                    (esc.escKeyNs - escPostedNs) / 1e6, (esc.escShownNs - escPostedNs) / 1e6);
    else
        std::printf("ESC question not seen (run shorter than 150 ms?)\n");

    // For comparison: the same question with no run in progress.
    Answerer idle;
    const qint64 idlePostedNs = idle.clock.nsecsElapsed();
    QCoreApplication::postEvent(&window,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    while (idle.escShownNs < 0 && idle.clock.elapsed() < 5000)
        QCoreApplication::processEvents();
    std::printf("idle: ESC handled %.2f ms and its question shown %.2f ms after the key\n",
                (idle.escKeyNs - idlePostedNs) / 1e6, (idle.escShownNs - idlePostedNs) / 1e6);
    return 0;
}
