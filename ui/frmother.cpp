#include "frmother.h"

#include "artwork.h"
#include "design.h"
#include "services/dissysmenu.h"

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
    aboutButton = makeButton("cmdabout", "关于(&B)", this, twips(4230, 2400, 1155, 345));
    checkButton = makeButton("cmdCheck", "校验(&H)", this, twips(2265, 2400, 1155, 345));
    returnButton = makeButton("cmdret", "返回(&R)", this, twips(300, 2400, 1155, 345));
    browseButton = makeButton("cmdopen", "浏览(&B)", this, twips(4320, 360, 1155, 375));
}

// The information box shows until a file is chosen; the status box, which
// lies in the same place, replaces it then.
void FrmOther::createInformation()
{
    infoFrame = new QGroupBox(this);
    infoFrame->setObjectName(QStringLiteral("frainfo"));
    infoFrame->setGeometry(twips(135, 1290, 5415, 855));
    // The three lines get a little leading: the installed bold Song fills its
    // whole line height, so that without it the lines would touch. The label
    // grows around its design centre to hold them.
    const QString info = QStringLiteral(
        "&nbsp;&nbsp;&nbsp;&nbsp;这一项功能主要是校验字典格式为“英文=中文”。只要是符合这种格式的"
        "字典都可以检测。如在＜Marrowind＞下生成的字典文件。");
    infoLabel = new QLabel(QStringLiteral("<p style=\"line-height:118%\">%1</p>").arg(info),
                           infoFrame);
    infoLabel->setTextFormat(Qt::RichText);
    infoLabel->setObjectName(QStringLiteral("lblinfo"));
    infoLabel->setWordWrap(true);
    infoLabel->setFont(design::songFont(9, true));
    design::setTextColour(infoLabel, QColor(0x80, 0x40, 0x00));
    const QRect designRect = twips(150, 210, 5175, 525);
    infoLabel->setGeometry(design::grown(
        designRect, QSize(designRect.width(), infoLabel->heightForWidth(designRect.width()))));
}

void FrmOther::createModes()
{
    correctModeButton = modeButton("optcro", "删除未翻译的字符串", this, twips(3465, 990, 1965, 315));
    checkModeButton = modeButton("optChect", "检验未翻译的字符串", this, twips(255, 990, 2085, 315));
    checkModeButton->setChecked(true);
}

void FrmOther::createFileRow()
{
    pathBox = new QLineEdit(this);
    pathBox->setObjectName(QStringLiteral("txtfile"));
    pathBox->setGeometry(twips(240, 420, 3585, 285));
    fileLabel = new QLabel(QStringLiteral("字典文件："), this);
    fileLabel->setObjectName(QStringLiteral("lbl"));
    fileLabel->move(design::px(300), design::px(180));
    fileLabel->resize(fileLabel->sizeHint());
}

void FrmOther::setTabOrder()
{
    const QList<QWidget*> order {pathBox, browseButton, returnButton, checkModeButton, correctModeButton, checkButton, aboutButton};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    infoFrame->setFocusPolicy(Qt::NoFocus);
    checkButton->setEnabled(false);
    pathBox->setFocus();
}

void FrmOther::connectHandlers()
{
    connect(browseButton, &QPushButton::clicked, this, &FrmOther::browse);
    connect(pathBox, &QLineEdit::textChanged, this, &FrmOther::restorePath);
    connect(checkButton, &QPushButton::clicked, this, &FrmOther::runCheck);
    connect(returnButton, &QPushButton::clicked, this, &FrmOther::switchRequested);
    connect(aboutButton, &QPushButton::clicked, this, &FrmOther::showAbout);
}

void FrmOther::browse()
{
    chooseFile(QStringLiteral("文本文件(*.DAT)"), QStringLiteral("*.DAT"));
    pathBox->setText(chosenPath());
    warnAboutReading();
    restorePath();  // also when the text did not change
}

// The path box only shows the chosen path. Once a file is chosen the status
// box takes the information box's place for good.
void FrmOther::restorePath()
{
    if (pathBox->text() != chosenPath())
        pathBox->setText(chosenPath());
    if (pathBox->text().isEmpty()) {
        checkButton->setEnabled(false);
        return;
    }
    infoFrame->hide();
    statusBox().box()->show();
    if (!isRunning()) {
        statusBox().label(StatusLabel::Message)->show();
        checkButton->setEnabled(true);
    }
}

RunRequest FrmOther::runRequest() const { return baseRequest(Layout::Equals); }

// A run holds Return and Check.
void FrmOther::setBusy(bool busy)
{
    returnButton->setEnabled(!busy);
    checkButton->setEnabled(!busy);
}

Mode FrmOther::selectedMode() const { return correctModeButton->isChecked() ? Mode::Correct : Mode::Check; }

void FrmOther::afterRun() { checkButton->setEnabled(!chosenPath().isEmpty()); }

// No close command: a close request from the title bar, the window menu or
// the keyboard is refused.
void FrmOther::closeEvent(QCloseEvent* event) { event->ignore(); }

}  // namespace corvel
