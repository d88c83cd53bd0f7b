#include "checkwindow.h"

#include "aboutwindow.h"
#include "artwork.h"
#include "design.h"
#include "linenumberlabel.h"
#include "messagebox.h"
#include "services/filechooser.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace corvel {

namespace {

constexpr Control kStatusLabels[] {Control::StatusProcessing, Control::StatusLineNumber,
                                   Control::StatusLine, Control::StatusEscHint,
                                   Control::StatusMessage};

}  // namespace

CheckWindow::CheckWindow(WindowKind kind, EditorLauncher launcher)
    : controls_(windowDesign(kind)), launcher_(std::move(launcher))
{
    setAttribute(Qt::WA_QuitOnClose, false);
}

CheckWindow::~CheckWindow() = default;

void CheckWindow::createWindow()
{
    const WindowDesign& window = controls_.window();
    setObjectName(design::text(window.name));
    setWindowTitle(design::text(window.caption));
    setWindowIcon(window.icon == WindowIcon::OtherWindow ? artwork::otherWindowIcon()
                                                         : artwork::applicationIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFont(design::font(window.font));
    setFixedSize(design::px(window.clientWidth), design::px(window.clientHeight));
    centreOnScreen();
}

// The labels have a fixed size, their room in the box: a label whose size
// may change asks its window for a layout pass at every new text, which at a
// line number per line would cost more than the run itself.
void CheckWindow::createStatusBox()
{
    const ControlDesign& boxDesign = design(Control::StatusBox);
    auto* box = new QFrame(this);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    design::applyCommon(box, boxDesign);
    box->setGeometry(design::pixelRect(boxDesign.rect));
    controls_.add(Control::StatusBox, box);
    for (Control id : kStatusLabels) {
        const ControlDesign& d = design(id);
        const QString caption = design::text(d.caption);
        QLabel* label = id == Control::StatusLineNumber
            ? (lineNumber_ = new LineNumberLabel(caption, this))
            : new QLabel(caption, this);
        design::applyCommon(label, d);
        label->setAlignment((d.align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft)
                            | Qt::AlignVCenter);
        design::place(label, design::pixelRect(d.textRoom()));
        label->setFixedSize(label->size());
        label->raise();
        controls_.add(id, label);
    }
}

void CheckWindow::connectCommonHandlers()
{
    auto* path = static_cast<QLineEdit*>(controls_.widget(Control::PathBox));
    connect(path, &QLineEdit::textChanged, this,
            [this](const QString& text) { behaviour().pathBoxChanged(text.toStdString()); });
    const auto clicked = [this](Control id, void (CheckWindowBehaviour::*handler)()) {
        connect(static_cast<QPushButton*>(controls_.widget(id)), &QPushButton::clicked, this,
                [this, handler] { (behaviour().*handler)(); });
    };
    clicked(Control::BrowseButton, &CheckWindowBehaviour::browseClicked);
    clicked(Control::CheckButton, &CheckWindowBehaviour::checkClicked);
    clicked(Control::AboutButton, &CheckWindowBehaviour::aboutClicked);
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

// ESC whatever the Shift, Ctrl and Alt keys.
void CheckWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        behaviour().escapePressed();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CheckWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        behaviour().escapePressed();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CheckWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    behaviour().closeRequested();
}

}  // namespace corvel
