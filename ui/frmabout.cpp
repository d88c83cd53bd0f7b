#include "frmabout.h"

#include "artwork.h"
#include "clicklabel.h"
#include "design.h"
#include "identity.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QUrl>

namespace corvel {

namespace {

using design::twips;

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// A label at its design position; auto-sized ones take their text's size.
template <typename Label>
Label* label(const char* name, const QString& caption, QWidget* window, const QRect& geometry,
             const QColor& colour, bool autoSize = true)
{
    auto* l = new Label(caption, window);
    l->setObjectName(QString::fromLatin1(name));
    design::setTextColour(l, colour);
    l->setGeometry(geometry);
    if (autoSize)
        l->resize(l->sizeHint());
    return l;
}

// A horizontal rule of the given thickness in the window's text colour.
void line(QWidget* window, const char* name, int x0, int x1, int y, int thickness)
{
    auto* rule = new QFrame(window);
    rule->setObjectName(QString::fromLatin1(name));
    rule->setAutoFillBackground(true);
    QPalette palette = rule->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::WindowText));
    rule->setPalette(palette);
    rule->setGeometry(design::px(x0), design::px(y), design::px(x1 - x0), thickness);
}

}  // namespace

FrmAbout::FrmAbout(QWidget* opener)
    : QDialog(opener)
{
    createWindow();
    createFooter();
    createLines();
    createHeading();
    createContacts();
    withoutFocus();
    connectHandlers();
}

void FrmAbout::createWindow()
{
    setObjectName(QStringLiteral("frmabout"));
    setWindowTitle(QStringLiteral("关于"));
    setWindowIcon(artwork::applicationIcon());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFont(design::songFont(9));
    setFixedSize(design::px(3990), design::px(2925));
}

void FrmAbout::createFooter()
{
    Label2 = label<ClickLabel>("Label2", text("希望大家能够给我一些建议，以便我改进程序"), this,
                               twips(202, 2610, 3600, 180), QColor(0xC0, 0x40, 0x00));
}

void FrmAbout::createLines()
{
    line(this, "Line1_1", 135, 3855, 2460, 2);
    line(this, "Line1_0", 180, 3840, 1365, 1);
}

void FrmAbout::createHeading()
{
    lblcap = label<ClickLabel>("lblcap", text(identity::kName), this, twips(1170, 150, 2325, 525),
                               QColor(0x00, 0xFF, 0x00), false);
    QFont capFont = design::kaiFont(26.25, true);
    capFont.setItalic(true);
    lblcap->setFont(capFont);
    lblcap->setAutoFillBackground(true);
    QPalette palette = lblcap->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Inactive, QPalette::Mid));
    lblcap->setPalette(palette);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(artwork::applicationPicture());
    Image1->setScaledContents(true);
    Image1->setGeometry(twips(210, 390, 810, 810));
}

void FrmAbout::createContacts()
{
    const QColor blue(0x00, 0x00, 0xFF);
    QFont link = design::songFont(9);
    link.setUnderline(true);

    lblauthor = label<QLabel>("lblauthor", text("程序设计：") + text(identity::kAuthor), this,
                              twips(1297, 1500, 0, 180), blue);
    lblauthor->setToolTip(text("希望您能够提些建议或意见给我！"));

    lblemail = label<ClickLabel>("lblemail", text("电子邮件：") + text(identity::kEmail), this,
                                 twips(847, 1830, 0, 180), blue);
    lblemail->setToolTip(text("如果您在使用过程中遇到问题，请您一定要通知我！"));

    lblnet = label<ClickLabel>("lblnet", text(identity::kHomePage), this, twips(622, 2145, 0, 180),
                               blue);
    lblnet->setToolTip(text("欢迎您访问我的主页"));

    // The design font has almost no descent, so a label of the text's
    // height would cut off the underline: the links get room below it.
    for (QLabel* l : {static_cast<QLabel*>(lblemail), static_cast<QLabel*>(lblnet)}) {
        l->setFont(link);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        const QFontMetrics metrics(link);
        const int height = metrics.ascent() + metrics.underlinePos() + metrics.lineWidth() + 2;
        l->resize(l->sizeHint().width(), std::max(l->sizeHint().height(), height));
        l->setCursor(artwork::linkHand());
    }

    Label1 = label<ClickLabel>("Label1", text("免费软件"), this, twips(3060, 1080, 0, 180),
                               QColor(0xFF, 0x00, 0x00));
    Label3 = label<QLabel>("Label3", QString::fromStdString(identity::versionLine()), this, twips(2610, 810, 0, 210),
                           QColor(0xC0, 0x00, 0xC0));
    Label3->setFont(design::songFont(10.5));
    Label3->resize(Label3->sizeHint());
}

void FrmAbout::withoutFocus()
{
    setFocusPolicy(Qt::NoFocus);
    for (QWidget* child : findChildren<QWidget*>())
        child->setFocusPolicy(Qt::NoFocus);
}

void FrmAbout::connectHandlers()
{
    for (ClickLabel* closer : {lblcap, Label1, Label2})
        connect(closer, &ClickLabel::clicked, this, &FrmAbout::reject);
    connect(lblemail, &ClickLabel::clicked, this, &FrmAbout::writeMail);
    connect(lblnet, &ClickLabel::clicked, this, &FrmAbout::openHomePage);
}

void FrmAbout::writeMail()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + text(identity::kEmail)));
}

void FrmAbout::openHomePage() { QDesktopServices::openUrl(QUrl(text(identity::kHomePage))); }

// A click on the window's own background closes it; clicks that a control
// took do not reach here.
void FrmAbout::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && childAt(event->position().toPoint()) == nullptr)
        reject();
}

// The window handles no keys: ESC does not close it.
void FrmAbout::keyPressEvent(QKeyEvent* event) { event->ignore(); }

}  // namespace corvel
