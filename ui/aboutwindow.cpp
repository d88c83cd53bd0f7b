#include "aboutwindow.h"

#include "artwork.h"
#include "clicklabel.h"
#include "design.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QUrl>

namespace corvel {

namespace {

// The labels a click acts on.
constexpr Control kClickable[] {Control::SuggestionLine, Control::ProductName,
                                Control::EmailLine, Control::HomePageLine,
                                Control::FreeSoftware};

bool clickable(Control id)
{
    for (Control c : kClickable)
        if (c == id)
            return true;
    return false;
}

}  // namespace

AboutWindow::AboutWindow(QWidget* opener)
    : QDialog(opener), controls_(windowDesign(WindowKind::About)), behaviour_(*this)
{
    createWindow();
    createLabel(Control::SuggestionLine);
    createLine(Control::LowerRule);
    createLine(Control::UpperRule);
    createHeading();
    createContacts();
    withoutFocus();
}

void AboutWindow::createWindow()
{
    const WindowDesign& window = controls_.window();
    setObjectName(design::text(window.name));
    setWindowTitle(design::text(window.caption));
    setWindowIcon(artwork::applicationIcon());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFont(design::font(window.font));
    setFixedSize(design::px(window.clientWidth), design::px(window.clientHeight));
}

// A label at its design position; auto-sized ones take their text's size.
QLabel* AboutWindow::createLabel(Control id)
{
    const ControlDesign& d = controls_.design(id);
    const QString caption = design::text(d.caption);
    QLabel* label = nullptr;
    if (clickable(id)) {
        auto* link = new ClickLabel(caption, this);
        connect(link, &ClickLabel::clicked, this, [this, id] { behaviour_.clicked(id); });
        label = link;
    } else {
        label = new QLabel(caption, this);
    }
    design::applyCommon(label, d);
    label->setGeometry(design::pixelRect(d.rect));
    if (d.autoSize)
        label->resize(label->sizeHint());
    controls_.add(id, label);
    return label;
}

// A horizontal rule of the design's thickness in the window's text colour.
void AboutWindow::createLine(Control id)
{
    const ControlDesign& d = controls_.design(id);
    auto* rule = new QFrame(this);
    rule->setObjectName(design::text(d.name));
    rule->setAutoFillBackground(true);
    QPalette palette = rule->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::WindowText));
    rule->setPalette(palette);
    const QRect r = design::pixelRect(d.rect);
    rule->setGeometry(r.x(), r.y(), r.width(), d.lineWidth);
    controls_.add(id, rule);
}

void AboutWindow::createHeading()
{
    QLabel* name = createLabel(Control::ProductName);
    name->setAutoFillBackground(true);
    QPalette palette = name->palette();
    palette.setColor(QPalette::Window, design::colour(controls_.design(Control::ProductName).back));
    name->setPalette(palette);

    const ControlDesign& d = controls_.design(Control::Picture);
    auto* picture = new QLabel(this);
    picture->setObjectName(design::text(d.name));
    picture->setPixmap(artwork::applicationPicture());
    picture->setScaledContents(true);
    picture->setGeometry(design::pixelRect(d.rect));
    controls_.add(Control::Picture, picture);
}

void AboutWindow::createContacts()
{
    createLabel(Control::AuthorLine);
    // The design font has almost no descent, so a label of the text's
    // height would cut off the underline: the links get room below it.
    for (Control id : {Control::EmailLine, Control::HomePageLine}) {
        QLabel* link = createLabel(id);
        link->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        const QFontMetrics metrics(link->font());
        const int height = metrics.ascent() + metrics.underlinePos() + metrics.lineWidth() + 2;
        link->resize(link->sizeHint().width(), std::max(link->sizeHint().height(), height));
    }
    createLabel(Control::FreeSoftware);
    createLabel(Control::VersionLine);
}

void AboutWindow::withoutFocus()
{
    setFocusPolicy(Qt::NoFocus);
    for (QWidget* child : findChildren<QWidget*>())
        child->setFocusPolicy(Qt::NoFocus);
}

void AboutWindow::closeWindow() { reject(); }

void AboutWindow::openAddress(std::string_view address)
{
    QDesktopServices::openUrl(QUrl(design::text(address)));
}

// A click on the window's own background; clicks that a control took do
// not reach here.
void AboutWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && childAt(event->position().toPoint()) == nullptr)
        behaviour_.clicked(std::nullopt);
}

// The window handles no keys: ESC does not close it.
void AboutWindow::keyPressEvent(QKeyEvent* event) { event->ignore(); }

}  // namespace corvel
