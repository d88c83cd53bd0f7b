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
    // leading: the installed bold Song fills its whole line height, so that
    // without it the lines would touch. The label grows around its design
    // centre to hold them.
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
    const QRect designRect = design::pixelRect(d.rect);
    label->setGeometry(design::grown(
        designRect, QSize(designRect.width(), label->heightForWidth(designRect.width()))));
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
