#include "frmmain.h"

#include "artwork.h"
#include "clicklabel.h"
#include "design.h"
#include "frmabout.h"
#include "identity.h"
#include "services/showfiledlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace corvel {

namespace {

using design::twips;

const QColor kHighlight(0xFF, 0x80, 0xFF);
const QString kFrameHint = QStringLiteral("在使用前请您仔细阅读说明文件！");
const QString kStopHint = QStringLiteral(
    "如果连续出现这么多错误，基本可以认为后面还是错误，需要停止程序进行手动删除某行");

// Image1 and lbl1 to lbl5. lbl2 spans the gap between lbl1 and lbl3, and
// lbl5 the box, each around its design centre, so that a long line number
// or result keeps its place and never needs the label resized.
CheckWindow::Setup mainSetup(EditorLauncher launcher)
{
    return {StatusBoxDesign {"Image1",
                             twips(45, 3120, 6915, 435),
                             {twips(480, 3225, 1050, 210), twips(1530, 3225, 1020, 210),
                              twips(2550, 3225, 210, 210), twips(4380, 3225, 2100, 210),
                              twips(120, 3225, 6720, 210)}},
            QStringLiteral("真的要停止校验吗？"), std::move(launcher)};
}

QCheckBox* checkBox(const char* name, const char* caption, bool checked, QWidget* frame,
                    const QRect& geometry)
{
    auto* box = new QCheckBox(QString::fromUtf8(caption), frame);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    design::place(box, geometry);
    return box;
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

}  // namespace

FrmMain::FrmMain(EditorLauncher launcher)
    : CheckWindow(mainSetup(std::move(launcher)))
{
    createWindow();
    createTopRow();
    createCheckFrame();
    createCorrectFrame();
    createModes();
    createButtons();
    setTabOrder();
    setHints();
    connectHandlers();
    previewKeys();
    applyOpeningRule();
}

void FrmMain::createWindow()
{
    setObjectName(QStringLiteral("frmmain"));
    setWindowTitle(QString::fromStdString(identity::mainCaption()));
    setWindowIcon(artwork::applicationIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFont(design::songFont(9));
    setFixedSize(design::px(6990), design::px(4275));
    centreOnScreen();
}

void FrmMain::createTopRow()
{
    lblin = new QLabel(QStringLiteral("要校验的字典文件："), this);
    lblin->setObjectName(QStringLiteral("lblin"));
    lblin->setGeometry(twips(180, 180, 1695, 195));
    lblin->resize(qMax(lblin->width(), lblin->sizeHint().width()), lblin->sizeHint().height());

    txtfile = new QLineEdit(this);
    txtfile->setObjectName(QStringLiteral("txtfile"));
    txtfile->setGeometry(twips(180, 442, 3165, 270).adjusted(0, -2, 0, 2));

    cmdopen = button("cmdopen", "浏览(&E)", this, twips(3600, 390, 1095, 375));

    lblother = new ClickLabel(QStringLiteral("校验其它字典"), this);
    lblother->setObjectName(QStringLiteral("lblother"));
    lblother->setFont(design::kaiFont(12, true));
    lblother->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblother->setAlignment(Qt::AlignCenter);
    lblother->setAutoFillBackground(true);
    lblother->setCursor(artwork::pointingHand());
    design::place(lblother, twips(4980, 420, 1785, 300));
    setSwitchHighlight(false);
}

void FrmMain::createCheckFrame()
{
    fracheck = new QGroupBox(QString::fromUtf8(designCaption(Caption::CheckFrame)), this);
    fracheck->setObjectName(QStringLiteral("fracheck"));
    fracheck->setGeometry(twips(180, 960, 3195, 1995));
    chkspac = checkBox("chkspac", "出现空行时立即停止执行", false, fracheck,
                       twips(180, 1200, 2475, 315));
    chkreplace = checkBox("chkreplace", "替换日志", true, fracheck, twips(180, 840, 1155, 315));
    chkstop = checkBox("chkstop", "连续10行错误时停止执行(推荐)", true, fracheck,
                       twips(180, 1560, 2835, 315));
    chkprompt = checkBox("chkprompt", "提示校验完成", true, fracheck, twips(1500, 840, 1395, 315));
}

void FrmMain::createCorrectFrame()
{
    fracorrect = new QGroupBox(QString::fromUtf8(designCaption(Caption::CorrectFrame)), this);
    fracorrect->setObjectName(QStringLiteral("fracorrect"));
    fracorrect->setGeometry(twips(3600, 960, 3195, 1995));
    chknotra = checkBox("chknotra", designCaption(Caption::DeleteUntranslated), false, fracorrect,
                        twips(240, 1560, 2355, 255));
    chkerror = checkBox("chkerror", designCaption(Caption::DeleteErroneous), true, fracorrect,
                        twips(240, 1200, 2235, 195));
    chkspace = checkBox("chkspace", designCaption(Caption::DeleteEmpty), true, fracorrect,
                        twips(240, 840, 2055, 195));
}

// The option buttons are the window's own, lying over the frames' upper
// parts, so that they form one group.
void FrmMain::createModes()
{
    optcorrect = new QRadioButton(QStringLiteral("启用纠错"), this);
    optcorrect->setObjectName(QStringLiteral("optcorrect"));
    design::place(optcorrect, twips(3840, 1410, 1155, 195));
    optcheck = new QRadioButton(QStringLiteral("启用检错"), this);
    optcheck->setObjectName(QStringLiteral("optcheck"));
    design::place(optcheck, twips(360, 1380, 1155, 255));
    optcheck->setChecked(true);
    optcorrect->raise();
    optcheck->raise();
}

void FrmMain::createButtons()
{
    cmdhelp = button("cmdhelp", "关于(&A)", this, twips(619, 3750, 1095, 375));
    cmdexit = button("cmdexit", "退出(&X)", this, twips(5277, 3750, 1095, 375));
    cmdCheck = button("cmdCheck", "校验(&C)", this, twips(2940, 3750, 1095, 375));
}

void FrmMain::setTabOrder()
{
    const QList<QWidget*> order {cmdopen,  cmdCheck, cmdexit,  txtfile,  chkprompt,
                                 chkstop,  chkreplace, chkspac, chkspace, chkerror,
                                 chknotra, optcheck, optcorrect, cmdhelp};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    for (QWidget* w : {static_cast<QWidget*>(lblin), static_cast<QWidget*>(lblother),
                       static_cast<QWidget*>(fracheck), static_cast<QWidget*>(fracorrect)})
        w->setFocusPolicy(Qt::NoFocus);
    cmdopen->setFocus();
}

// Fixed tooltips now; the frames, chkstop and txtfile get theirs when the
// pointer first moves over them.
void FrmMain::setHints()
{
    cmdhelp->setToolTip(QStringLiteral("调入帮助文件"));
    cmdopen->setToolTip(QStringLiteral("打开要校验的字典文件"));
    chkprompt->setToolTip(QStringLiteral("该项不可阻止由于错误而出现的提示"));
    setMouseTracking(true);
    for (QWidget* w : {static_cast<QWidget*>(lblother), static_cast<QWidget*>(fracheck),
                       static_cast<QWidget*>(fracorrect), static_cast<QWidget*>(chkstop),
                       static_cast<QWidget*>(txtfile)})
        w->setMouseTracking(true);
}

void FrmMain::connectHandlers()
{
    connect(optcheck, &QRadioButton::clicked, this, &FrmMain::showCheckMode);
    connect(optcorrect, &QRadioButton::clicked, this, &FrmMain::showCorrectMode);
    connect(cmdCheck, &QPushButton::clicked, this, &FrmMain::runCheck);
    connect(cmdopen, &QPushButton::clicked, this, &FrmMain::browse);
    connect(txtfile, &QLineEdit::textChanged, this, &FrmMain::restorePath);
    connect(cmdhelp, &QPushButton::clicked, this, &FrmMain::showAbout);
    connect(cmdexit, &QPushButton::clicked, this, &FrmMain::endNow);
    connect(lblother, &ClickLabel::clicked, this, &FrmMain::switchRequested);
}

void FrmMain::applyOpeningRule()
{
    cmdCheck->setEnabled(false);
    if (optcheck->isChecked())
        showCheckMode();
    else
        showCorrectMode();
}

// Enabling a box never changes its check mark.
void FrmMain::showCheckMode()
{
    for (QCheckBox* box : {chkspac, chkstop})
        box->setEnabled(true);
    for (QCheckBox* box : {chkspace, chkerror, chknotra})
        box->setEnabled(false);
}

void FrmMain::showCorrectMode()
{
    for (QCheckBox* box : {chkspac, chkstop})
        box->setEnabled(false);
    for (QCheckBox* box : {chkspace, chkerror, chknotra})
        box->setEnabled(true);
}

void FrmMain::browse()
{
    const QString filter = QStringLiteral("文本文件(*.TXT)") + QChar(0) + QStringLiteral("*.TXT")
        + QChar(0) + QStringLiteral("所有文件(*.*)") + QChar(0) + QStringLiteral("*.*");
    chosenPath_ = showFileDlg({this, FileDlgMode::Open, QStringLiteral("请选择要校验的字典文件"),
                               QString(), filter, QStringLiteral("C:\\My Documents"), QString()});
    txtfile->setText(chosenPath_);
    if (!chosenPath_.isEmpty() && !chosenPath_.endsWith(QLatin1String("txt"))) {
        messageBox({"该类型的文件可能无法进行处理！", "警告", Buttons::Ok, Icon::Exclamation});
    }
    updateCheckButton(!chosenPath_.isEmpty());
    cmdexit->setEnabled(true);
}

// The path box only shows the chosen path: an edit is undone at once.
void FrmMain::restorePath()
{
    if (txtfile->text() != chosenPath_)
        txtfile->setText(chosenPath_);
    updateCheckButton(txtfile->text().size() > 3);
}

// cmdCheck stays disabled while a run is in progress, whatever is chosen.
void FrmMain::updateCheckButton(bool enable) { cmdCheck->setEnabled(enable && !isRunning()); }

void FrmMain::showAbout()
{
    FrmAbout about(this);
    about.exec();
}

std::filesystem::path FrmMain::chosenPath() const
{
    return std::filesystem::path(chosenPath_.toStdU16String());
}

Mode FrmMain::selectedMode() const { return optcorrect->isChecked() ? Mode::Correct : Mode::Check; }

bool FrmMain::option(Option option) const
{
    switch (option) {
    case Option::ReplaceLog: return chkreplace->isChecked();
    case Option::PromptAtEnd: return chkprompt->isChecked();
    case Option::StopOnErrors: return chkstop->isChecked();
    case Option::StopOnEmpty: return chkspac->isChecked();
    case Option::DeleteEmpty: return chkspace->isChecked();
    case Option::DeleteErroneous: return chkerror->isChecked();
    case Option::DeleteUntranslated: return chknotra->isChecked();
    }
    return false;
}

std::string FrmMain::caption(Caption caption) const
{
    switch (caption) {
    case Caption::CheckFrame: return fracheck->title().toStdString();
    case Caption::CorrectFrame: return fracorrect->title().toStdString();
    case Caption::DeleteEmpty: return chkspace->text().toStdString();
    case Caption::DeleteErroneous: return chkerror->text().toStdString();
    case Caption::DeleteUntranslated: return chknotra->text().toStdString();
    }
    return {};
}

void FrmMain::setEnabled(Control control, bool enabled)
{
    switch (control) {
    case Control::Check: cmdCheck->setEnabled(enabled); break;
    case Control::Exit: cmdexit->setEnabled(enabled); break;
    case Control::Switch: lblother->setEnabled(enabled); break;
    }
}

RunReport FrmMain::executeRun() { return runLinePairCheck(*this); }

void FrmMain::afterRun() { updateCheckButton(!chosenPath_.isEmpty()); }

bool FrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove)
        hover(watched, static_cast<QMouseEvent*>(event));
    return CheckWindow::eventFilter(watched, event);
}

void FrmMain::hover(QObject* watched, QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (watched == lblother) {
        setSwitchHighlight(true);
    } else if (watched == fracheck || watched == fracorrect) {
        auto* frame = static_cast<QGroupBox*>(watched);
        if (frame->childAt(at) == nullptr)  // the frame's own surface only
            frame->setToolTip(kFrameHint);
    } else if (watched == chkstop) {
        chkstop->setToolTip(kStopHint);
    } else if (watched == txtfile) {
        txtfile->setToolTip(chosenPath_);
    }
}

// Only the window's bare surface takes the highlight off lblother.
void FrmMain::mouseMoveEvent(QMouseEvent* event)
{
    if (childAt(event->position().toPoint()) == nullptr)
        setSwitchHighlight(false);
    CheckWindow::mouseMoveEvent(event);
}

void FrmMain::setSwitchHighlight(bool lit)
{
    QPalette palette = lblother->palette();
    palette.setColor(QPalette::Window, lit ? kHighlight : QPalette().color(QPalette::Button));
    palette.setColor(QPalette::WindowText, QPalette().color(QPalette::WindowText));
    lblother->setPalette(palette);
}

}  // namespace corvel
