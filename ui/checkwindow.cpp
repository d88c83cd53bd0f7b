#include "checkwindow.h"

#include "file_warning.h"
#include "frmabout.h"
#include "messagebox.h"
#include "run_wording.h"
#include "services/showfiledlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

namespace corvel {

namespace {

std::filesystem::path fromQString(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

}  // namespace

CheckWindow::CheckWindow(Setup setup)
    : status_(this, setup.statusBox),
      stopQuestion_(std::move(setup.stopQuestion)),
      launcher_(std::move(setup.launcher))
{
    setAttribute(Qt::WA_QuitOnClose, false);
}

CheckWindow::~CheckWindow() = default;

bool CheckWindow::lineDone(std::int32_t line)
{
    status_.setLineNumber(line);
    return serveEvents();
}

Answer CheckWindow::ask(Question question) { return showMessageBox(this, questionBox(question)); }

Error CheckWindow::openLog(const std::filesystem::path& log, LogOpening when)
{
    return launcher_(editorRequest(log, when));
}

void CheckWindow::beep() { QApplication::beep(); }

void CheckWindow::endApplication() { endNow(); }

// Serving the event queue costs a system call, which takes longer than a
// line's whole check. The queue is therefore served at a line's end whenever
// half a millisecond has passed since it was last served: ESC, clicks and
// modal windows still run between two lines and are answered well within a
// display frame, and a long dictionary is not slowed by a system call per
// line.
bool CheckWindow::serveEvents()
{
    if (!served_.isValid() || served_.nsecsElapsed() >= kServeIntervalNs) {
        QCoreApplication::processEvents();
        served_.start();
    }
    return !ending_;
}

void CheckWindow::runStarting()
{
    status_.showStarting();
    setBusy(true);
}

// The run's output folder receives the next run's output folder, unless a
// file is chosen meanwhile.
void CheckWindow::outputFolderReady(const std::filesystem::path& folder)
{
    outputParent_ = folder;
}

void CheckWindow::linesStarting() { status_.showProgress(); }

void CheckWindow::finished(const RunCounts& counts) { status_.showTotal(counts.lines); }

void CheckWindow::waiting()
{
    status_.showIdle();
    setBusy(false);
}

void CheckWindow::ready() { setBusy(false); }

void CheckWindow::chooseFile(const QString& filterLabel, const QString& pattern)
{
    const QString filter = filterLabel + QChar(0) + pattern + QChar(0)
        + QStringLiteral("所有文件(*.*)") + QChar(0) + QStringLiteral("*.*");
    chosenPath_ = showFileDlg({this, FileDlgMode::Open, QStringLiteral("请选择要校验的字典文件"),
                               QString(), filter, QStringLiteral("C:\\My Documents"), QString()});
    if (!chosenPath_.isEmpty())
        outputParent_ = fromQString(QFileInfo(chosenPath_).absolutePath());
}

void CheckWindow::warnAboutReading()
{
    if (chosenPath_.isEmpty())
        return;
    if (std::optional<std::string> warning = dictionaryWarning(fromQString(chosenPath_)))
        showMessageBox(this, {*warning, "警告", Buttons::Ok, Icon::Exclamation});
}

RunRequest CheckWindow::baseRequest(Layout layout) const
{
    RunRequest request;
    request.layout = layout;
    request.dictionary = fromQString(chosenPath_);
    request.outputParent = outputParent_;
    request.mode = selectedMode();
    return request;
}

void CheckWindow::runCheck()
{
    if (running_ || ending_)
        return;  // never a run inside a run
    running_ = true;
    served_.invalidate();
    try {
        const RunRequest request = runRequest();
        const RunReport report = corvel::runCheck(request, *this, {static_cast<RunSink*>(this)});
        if (report.ending == RunEnding::Ended || report.ending == RunEnding::UnknownError)
            ending_ = true;
    } catch (const std::exception& failure) {
        showUnhandled(failure);
        ending_ = true;
    }
    running_ = false;
    if (ending_) {
        emit endRequested();
        return;
    }
    afterRun();
}

void CheckWindow::showUnhandled(const std::exception& failure)
{
    showMessageBox(this, {std::string("发生未知错误！程序即将终止！\n") + failure.what(), "错误",
                          Buttons::Ok, Icon::Critical});
}

void CheckWindow::askToStop()
{
    const Answer answer = showMessageBox(
        this, {stopQuestion_.toStdString(), "停止", Buttons::OkCancel, Icon::Question});
    if (answer == Answer::Ok)
        endNow();
}

void CheckWindow::endNow()
{
    if (ending_ && !running_)
        return;
    ending_ = true;
    if (!running_)
        emit endRequested();
}

void CheckWindow::showAbout()
{
    FrmAbout about(this);
    about.exec();
}

void CheckWindow::previewKeys()
{
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void CheckWindow::centreOnScreen()
{
    const QRect screen = this->screen()->availableGeometry();
    move(screen.center() - QPoint(width() / 2, height() / 2));
}

// ESC is the window's, whichever control has the focus and whatever the
// Shift, Ctrl and Alt keys.
void CheckWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        askToStop();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CheckWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        askToStop();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// The title-bar close ends the application; during a run the run first
// writes out and closes its files.
void CheckWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    endNow();
}

QPushButton* makeButton(const char* name, const char* caption, QWidget* window,
                        const QRect& geometry)
{
    auto* b = new QPushButton(QString::fromUtf8(caption), window);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setGeometry(geometry);
    return b;
}

}  // namespace corvel
