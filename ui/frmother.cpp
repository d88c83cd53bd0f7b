#include "frmother.h"

#include "artwork.h"
#include "design.h"
#include "frmabout.h"
#include "services/dissysmenu.h"
#include "services/showfiledlg.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace corvel {

namespace {

using design::twips;

// The window menu's Close entry in a fixed-border window with a minimize
// button: Restore, Move, Size, Minimize, Maximize, separator, Close.
constexpr int kCloseEntry = kSysMenuClose;

// img and lbl1 to lbl5, laid out as in the main window.
CheckWindow::Setup otherSetup(EditorLauncher launcher)
{
    return {StatusBoxDesign {"img",
                             twips(240, 1560, 5205, 465),
                             {twips(390, 1687, 1050, 210), twips(1440, 1687, 1020, 210),
                              twips(2460, 1687, 210, 210), twips(3240, 1687, 2100, 210),
                              twips(300, 1680, 5085, 210)}},
            QStringLiteral("真的要停止校验操作吗？"), std::move(launcher)};
}

QPushButton* button(const char* name, const char* caption, QWidget* window,
                    const QRect& geometry)
{
    auto* b = new QPushButton(QString::fromUtf8(caption), window);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setGeometry(geometry);
    return b;
}

QRadioButton* modeButton(const char* name, const char* caption, QWidget* window,
                     const QRect& geometry)
{
    auto* b = new QRadioButton(QString::fromUtf8(caption), window);
    b->setObjectName(QString::fromLatin1(name));
    design::place(b, geometry);
    return b;
}

}  // namespace

FrmOther::FrmOther(EditorLauncher launcher)
    : CheckWindow(otherSetup(std::move(launcher)))
{
    createWindow();
    createButtons();
    createInformation();
    createModes();
    createFileRow();
    setTabOrder();
    connectHandlers();
    previewKeys();
    disSysMenu(this, kCloseEntry);
}

void FrmOther::createWindow()
{
    setObjectName(QStringLiteral("frmother"));
    setWindowTitle(QStringLiteral("其它项目"));
    setWindowIcon(artwork::otherWindowIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFont(design::songFont(9));
    setFixedSize(design::px(5685), design::px(2925));
    centreOnScreen();
    statusBox().box()->hide();
    statusBox().label(StatusLabel::Message)->hide();
}

void FrmOther::createButtons()
{
    cmdabout = button("cmdabout", "关于(&B)", this, twips(4230, 2400, 1155, 345));
    cmdCheck = button("cmdCheck", "校验(&H)", this, twips(2265, 2400, 1155, 345));
    cmdret = button("cmdret", "返回(&R)", this, twips(300, 2400, 1155, 345));
    cmdopen = button("cmdopen", "浏览(&B)", this, twips(4320, 360, 1155, 375));
}

// The information box shows until a file is chosen; the status box, which
// lies in the same place, replaces it then.
void FrmOther::createInformation()
{
    frainfo = new QGroupBox(this);
    frainfo->setObjectName(QStringLiteral("frainfo"));
    frainfo->setGeometry(twips(135, 1290, 5415, 855));
    lblinfo = new QLabel(QStringLiteral("    这一项功能主要是校验字典格式为“英文=中文”。只要是符合这种格式的"
                                        "字典都可以检测。如在＜Marrowind＞下生成的字典文件。"),
                         frainfo);
    lblinfo->setObjectName(QStringLiteral("lblinfo"));
    lblinfo->setWordWrap(true);
    lblinfo->setFont(design::songFont(9, true));
    design::setTextColour(lblinfo, QColor(0x80, 0x40, 0x00));
    lblinfo->setGeometry(twips(150, 210, 5175, 525).adjusted(0, -4, 0, 6));
}

void FrmOther::createModes()
{
    optcro = modeButton("optcro", "删除未翻译的字符串", this, twips(3465, 990, 1965, 315));
    optChect = modeButton("optChect", "检验未翻译的字符串", this, twips(255, 990, 2085, 315));
    optChect->setChecked(true);
}

void FrmOther::createFileRow()
{
    txtfile = new QLineEdit(this);
    txtfile->setObjectName(QStringLiteral("txtfile"));
    txtfile->setGeometry(twips(240, 420, 3585, 285).adjusted(0, -2, 0, 2));
    lbl = new QLabel(QStringLiteral("字典文件："), this);
    lbl->setObjectName(QStringLiteral("lbl"));
    lbl->move(design::px(300), design::px(180));
    lbl->resize(lbl->sizeHint());
}

void FrmOther::setTabOrder()
{
    const QList<QWidget*> order {txtfile, cmdopen, cmdret, optChect, optcro, cmdCheck, cmdabout};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    frainfo->setFocusPolicy(Qt::NoFocus);
    cmdCheck->setEnabled(false);
    txtfile->setFocus();
}

void FrmOther::connectHandlers()
{
    connect(cmdopen, &QPushButton::clicked, this, &FrmOther::browse);
    connect(txtfile, &QLineEdit::textChanged, this, &FrmOther::restorePath);
    connect(cmdCheck, &QPushButton::clicked, this, &FrmOther::runCheck);
    connect(cmdret, &QPushButton::clicked, this, &FrmOther::switchRequested);
    connect(cmdabout, &QPushButton::clicked, this, &FrmOther::showAbout);
}

void FrmOther::browse()
{
    const QString filter = QStringLiteral("文本文件(*.DAT)") + QChar(0) + QStringLiteral("*.DAT")
        + QChar(0) + QStringLiteral("所有文件(*.*)") + QChar(0) + QStringLiteral("*.*");
    chosenPath_ = showFileDlg({this, FileDlgMode::Open, QStringLiteral("请选择要校验的字典文件"),
                               QString(), filter, QStringLiteral("C:\\My Documents"), QString()});
    txtfile->setText(chosenPath_);
    restorePath();  // also when the text did not change
}

// The path box only shows the chosen path. Once a file is chosen the status
// box takes the information box's place for good.
void FrmOther::restorePath()
{
    if (txtfile->text() != chosenPath_)
        txtfile->setText(chosenPath_);
    if (txtfile->text().isEmpty()) {
        cmdCheck->setEnabled(false);
        return;
    }
    frainfo->hide();
    statusBox().box()->show();
    if (!isRunning()) {
        statusBox().label(StatusLabel::Message)->show();
        cmdCheck->setEnabled(true);
    }
}

void FrmOther::showAbout()
{
    FrmAbout about(this);
    about.exec();
}

std::filesystem::path FrmOther::chosenPath() const
{
    return std::filesystem::path(chosenPath_.toStdU16String());
}

bool FrmOther::option(Option) const { return false; }

std::string FrmOther::caption(Caption caption) const { return designCaption(caption); }

void FrmOther::setEnabled(Control control, bool enabled)
{
    switch (control) {
    case Control::Check: cmdCheck->setEnabled(enabled); break;
    case Control::Exit: break;  // this window has no Exit button
    case Control::Switch: cmdret->setEnabled(enabled); break;
    }
}

Mode FrmOther::selectedMode() const { return optcro->isChecked() ? Mode::Correct : Mode::Check; }

RunReport FrmOther::executeRun() { return runEqualsCheck(*this); }

void FrmOther::afterRun() { cmdCheck->setEnabled(!chosenPath_.isEmpty()); }

// No close command: a close request from the title bar, the window menu or
// the keyboard is refused.
void FrmOther::closeEvent(QCloseEvent* event) { event->ignore(); }

}  // namespace corvel
