#include "mainwindow.h"

#include "clicklabel.h"
#include "design.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace corvel {

MainWindow::MainWindow(EditorLauncher launcher)
    : CheckWindow(WindowKind::Main, std::move(launcher)), behaviour_(*this)
{
    createStatusBox();
    createWindow();
    createTopRow();
    createFrame(Control::CheckFrame, {Control::StopOnEmptyBox, Control::ReplaceLogBox,
                                      Control::StopOnErrorsBox, Control::PromptAtEndBox});
    createFrame(Control::CorrectFrame, {Control::DeleteUntranslatedBox,
                                        Control::DeleteErroneousBox, Control::DeleteEmptyBox});
    createModes();
    createButtons();
    controls().applyTabOrder();
    trackPointer();
    connectHandlers();
    previewKeys();
    behaviour_.opened();
}

void MainWindow::createTopRow()
{
    const ControlDesign& labelDesign = design(Control::PathLabel);
    auto* label = new QLabel(design::text(labelDesign.caption), this);
    design::applyCommon(label, labelDesign);
    label->setGeometry(design::pixelRect(labelDesign.rect));
    label->resize(qMax(label->width(), label->sizeHint().width()), label->sizeHint().height());
    controls().add(Control::PathLabel, label);

    controls().add(Control::PathBox, design::makeTextBox(design(Control::PathBox), this));
    controls().add(Control::BrowseButton, design::makeButton(design(Control::BrowseButton), this));

    const ControlDesign& switchDesign = design(Control::SwitchLabel);
    auto* switchLabel = new ClickLabel(design::text(switchDesign.caption), this);
    design::applyCommon(switchLabel, switchDesign);
    switchLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    switchLabel->setAlignment(Qt::AlignCenter);
    switchLabel->setAutoFillBackground(true);
    design::place(switchLabel, design::pixelRect(switchDesign.rect));
    controls().add(Control::SwitchLabel, switchLabel);
    setHighlight(Control::SwitchLabel, false);
}

void MainWindow::createFrame(Control frame, std::initializer_list<Control> boxes)
{
    QGroupBox* box = design::makeFrame(design(frame), this);
    controls().add(frame, box);
    for (Control id : boxes)
        controls().add(id, design::makeCheckBox(design(id), box));
}

// The option buttons are the window's own, lying over the frames' upper
// parts, so that they form one group.
void MainWindow::createModes()
{
    for (Control id : {Control::CorrectModeButton, Control::CheckModeButton})
        controls().add(id, design::makeOptionButton(design(id), this));
    for (Control id : {Control::CorrectModeButton, Control::CheckModeButton})
        controls().widget(id)->raise();
}

void MainWindow::createButtons()
{
    for (Control id : {Control::AboutButton, Control::ExitButton, Control::CheckButton})
        controls().add(id, design::makeButton(design(id), this));
}

// The window reports the pointer over its bare surface and over the
// controls whose hints or highlight follow it.
void MainWindow::trackPointer()
{
    setMouseTracking(true);
    for (Control id : {Control::SwitchLabel, Control::CheckFrame, Control::CorrectFrame,
                       Control::StopOnErrorsBox, Control::PathBox})
        controls().widget(id)->setMouseTracking(true);
}

void MainWindow::connectHandlers()
{
    connectCommonHandlers();
    const auto clicked = [this](Control id, void (MainWindowBehaviour::*handler)()) {
        connect(static_cast<QAbstractButton*>(controls().widget(id)), &QAbstractButton::clicked,
                this, [this, handler] { (behaviour_.*handler)(); });
    };
    clicked(Control::CheckModeButton, &MainWindowBehaviour::checkModeClicked);
    clicked(Control::CorrectModeButton, &MainWindowBehaviour::correctModeClicked);
    clicked(Control::ExitButton, &MainWindowBehaviour::exitClicked);
    connect(static_cast<ClickLabel*>(controls().widget(Control::SwitchLabel)),
            &ClickLabel::clicked, this, [this] { behaviour_.switchClicked(); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove)
        hover(watched, static_cast<QMouseEvent*>(event));
    return CheckWindow::eventFilter(watched, event);
}

// A frame reports only its own surface, not the controls inside it.
void MainWindow::hover(QObject* watched, QMouseEvent* event)
{
    const std::optional<Control> id = controls().idOf(watched);
    if (!id)
        return;
    if (auto* frame = qobject_cast<QGroupBox*>(watched);
        frame && frame->childAt(event->position().toPoint()) != nullptr)
        return;
    behaviour_.pointerOver(id);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (childAt(event->position().toPoint()) == nullptr)
        behaviour_.pointerOver(std::nullopt);
    CheckWindow::mouseMoveEvent(event);
}

}  // namespace corvel
