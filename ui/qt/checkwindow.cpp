#include "checkwindow.h"

#include "aboutwindow.h"
#include "linenumberlabel.h"
#include "messagebox.h"
#include "services/filechooser.h"
#include "services/systemmenu.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace corvel {

CheckWindow::CheckWindow(WindowKind kind, EditorLauncher launcher)
    : controls_(windowDesign(kind), this,
                Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                    | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                    | Qt::MSWindowsFixedSizeDialogHint),
      launcher_(std::move(launcher)),
      behaviour_(checkWindowBehaviour(kind, *this)),
      lineNumber_(static_cast<LineNumberLabel*>(controls_.widget(Control::StatusLineNumber)))
{
    setAttribute(Qt::WA_QuitOnClose, false);
    connectControls();
    if (!controls_.window().closeCommand)
        removeSystemMenuEntry(this, kSystemMenuClose);
    behaviour_->opened();
}

CheckWindow::~CheckWindow() = default;

// Clicks, the path box's changes and the pointer's moves go to the
// behaviour; every control passes key presses to the window first.
void CheckWindow::connectControls()
{
    controls_.onClicked([this](Control id) { behaviour_->clicked(id); });
    connect(static_cast<QLineEdit*>(controls_.widget(Control::PathBox)), &QLineEdit::textChanged,
            this, [this](const QString& text) { behaviour_->pathBoxChanged(text.toStdString()); });
    setMouseTracking(true);
    for (const auto& [id, w] : controls_.widgets())
        w->setMouseTracking(true);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void CheckWindow::showLineNumber(std::int32_t line) { lineNumber_->showLine(line); }

Answer CheckWindow::showMessage(const MessageBoxRequest& request)
{
    return showMessageBox(this, request);
}

std::string CheckWindow::chooseFile(const FileChooserRequest& request)
{
    return showFileChooser(this, request).toStdString();
}

void CheckWindow::beep() { QApplication::beep(); }

Error CheckWindow::openInEditor(const EditorRequest& request) { return launcher_(request); }

void CheckWindow::serveEvents() { QCoreApplication::processEvents(); }

void CheckWindow::showAbout()
{
    AboutWindow about(this);
    about.exec();
}

void CheckWindow::switchWindow() { emit switchRequested(); }

void CheckWindow::endApplication() { emit endRequested(); }

// ESC whatever the Shift, Ctrl and Alt keys.
void CheckWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        behaviour_->escapePressed();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CheckWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        behaviour_->escapePressed();
        return true;
    }
    if (event->type() == QEvent::MouseMove)
        hover(watched, static_cast<QMouseEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

// A frame reports only its own surface, not the controls inside it.
void CheckWindow::hover(QObject* watched, QMouseEvent* event)
{
    const std::optional<Control> id = controls_.idOf(watched);
    if (!id)
        return;
    if (auto* frame = qobject_cast<QGroupBox*>(watched);
        frame && frame->childAt(event->position().toPoint()) != nullptr)
        return;
    behaviour_->pointerOver(id);
}

void CheckWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (childAt(event->position().toPoint()) == nullptr)
        behaviour_->pointerOver(std::nullopt);
    QWidget::mouseMoveEvent(event);
}

void CheckWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    behaviour_->closeRequested();
}

}  // namespace corvel
