#include "checkwindow.h"

#include "messagebox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>

namespace corvel {

CheckWindow::CheckWindow(Setup setup)
    : status_(this, setup.statusBox),
      stopQuestion_(std::move(setup.stopQuestion)),
      launcher_(std::move(setup.launcher))
{
    setAttribute(Qt::WA_QuitOnClose, false);
}

CheckWindow::~CheckWindow() = default;

Mode CheckWindow::mode() const { return running_ ? runMode_ : selectedMode(); }

void CheckWindow::setLabelText(StatusLabel label, const std::string& text)
{
    status_.setText(label, QString::fromStdString(text));
}

void CheckWindow::setLabelVisible(StatusLabel label, bool visible)
{
    status_.setLabelVisible(label, visible);
}

void CheckWindow::setLineNumber(std::int32_t line) { status_.setLineNumber(line); }

Answer CheckWindow::messageBox(const MessageBoxRequest& request)
{
    return showMessageBox(this, request);
}

Error CheckWindow::startEditor(const EditorRequest& request) { return launcher_(request); }

void CheckWindow::beep() { QApplication::beep(); }

// Serving the event queue costs a system call, which takes longer than a
// line's whole check. The queue is therefore served at a line's end whenever
// half a millisecond has passed since it was last served: ESC, clicks and
// modal windows still run between two lines and are answered well within a
// display frame, and a long dictionary is not slowed by a system call per
// line.
bool CheckWindow::yield()
{
    if (!served_.isValid() || served_.nsecsElapsed() >= kServeIntervalNs) {
        QCoreApplication::processEvents();
        served_.start();
    }
    return !ending_;
}

void CheckWindow::endApplication() { endNow(); }

void CheckWindow::runCheck()
{
    if (running_ || ending_)
        return;  // never a run inside a run
    running_ = true;
    runMode_ = selectedMode();
    served_.invalidate();
    try {
        const RunReport report = executeRun();
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

}  // namespace corvel
