#include "equalswindow.h"

#include "design.h"
#include "services/systemmenu.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace corvel {

EqualsWindow::EqualsWindow(EditorLauncher launcher)
    : CheckWindow(WindowKind::Equals, std::move(launcher)), behaviour_(*this)
{
    createStatusBox();
    createWindow();
    for (Control id : {Control::AboutButton, Control::CheckButton, Control::ReturnButton,
                       Control::BrowseButton})
        controls().add(id, design::makeButton(design(id), this));
    createInformation();
    for (Control id : {Control::CorrectModeButton, Control::CheckModeButton})
        controls().add(id, design::makeOptionButton(design(id), this));
    createFileRow();
    controls().applyTabOrder();
    connectHandlers();
    previewKeys();
    if (!controls().window().closeCommand)
        removeSystemMenuEntry(this, kSystemMenuClose);
}

// The information box shows until a file is chosen; the status box, which
// lies in the same place, replaces it then.
void EqualsWindow::createInformation()
{
    QGroupBox* frame = design::makeFrame(design(Control::InfoFrame), this);
    controls().add(Control::InfoFrame, frame);

    // Rich text keeps the leading spaces and gives the three lines a little
    // leading, which the design font lacks; its first line starts higher
    // than a plain label's, so the label starts 8 pixels higher and ends 10
    // lower than its design rectangle.
    const ControlDesign& d = design(Control::InfoLabel);
    QString info = design::text(d.caption);
    qsizetype indent = 0;
    while (indent < info.size() && info[indent] == QLatin1Char(' '))
        ++indent;
    info.replace(0, indent, QStringLiteral("&nbsp;").repeated(indent));
    auto* label = new QLabel(QStringLiteral("<p style=\"line-height:118%\">%1</p>").arg(info), frame);
    label->setTextFormat(Qt::RichText);
    design::applyCommon(label, d);
    label->setWordWrap(d.wraps);
    label->setGeometry(design::pixelRect(d.rect).adjusted(0, -8, 0, 10));
    controls().add(Control::InfoLabel, label);
}

void EqualsWindow::createFileRow()
{
    controls().add(Control::PathBox, design::makeTextBox(design(Control::PathBox), this));
    const ControlDesign& d = design(Control::PathLabel);
    auto* label = new QLabel(design::text(d.caption), this);
    design::applyCommon(label, d);
    label->move(design::pixelRect(d.rect).topLeft());
    label->resize(label->sizeHint());
    controls().add(Control::PathLabel, label);
}

void EqualsWindow::connectHandlers()
{
    connectCommonHandlers();
    connect(static_cast<QPushButton*>(controls().widget(Control::ReturnButton)),
            &QPushButton::clicked, this, [this] { behaviour_.returnClicked(); });
}

}  // namespace corvel
