#include "frmmain.h"

#include "artwork.h"
#include "clicklabel.h"
#include "design.h"
#include "identity.h"
#include "messagebox.h"

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
    fileLabel = new QLabel(QStringLiteral("要校验的字典文件："), this);
    fileLabel->setObjectName(QStringLiteral("lblin"));
    fileLabel->setGeometry(twips(180, 180, 1695, 195));
    fileLabel->resize(qMax(fileLabel->width(), fileLabel->sizeHint().width()), fileLabel->sizeHint().height());

    pathBox = new QLineEdit(this);
    pathBox->setObjectName(QStringLiteral("txtfile"));
    pathBox->setGeometry(twips(180, 442, 3165, 270));

    browseButton = makeButton("cmdopen", "浏览(&E)", this, twips(3600, 390, 1095, 375));

    switchLabel = new ClickLabel(QStringLiteral("校验其它字典"), this);
    switchLabel->setObjectName(QStringLiteral("lblother"));
    switchLabel->setFont(design::kaiFont(12, true));
    switchLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    switchLabel->setAlignment(Qt::AlignCenter);
    switchLabel->setAutoFillBackground(true);
    switchLabel->setCursor(artwork::pointingHand());
    design::place(switchLabel, twips(4980, 420, 1785, 300));
    setSwitchHighlight(false);
}

void FrmMain::createCheckFrame()
{
    checkFrame = new QGroupBox(QStringLiteral("检错"), this);
    checkFrame->setObjectName(QStringLiteral("fracheck"));
    checkFrame->setGeometry(twips(180, 960, 3195, 1995));
    stopOnEmptyBox = checkBox("chkspac", "出现空行时立即停止执行", false, checkFrame,
                       twips(180, 1200, 2475, 315));
    replaceLogBox = checkBox("chkreplace", "替换日志", true, checkFrame, twips(180, 840, 1155, 315));
    stopOnErrorsBox = checkBox("chkstop", "连续10行错误时停止执行(推荐)", true, checkFrame,
                       twips(180, 1560, 2835, 315));
    promptAtEndBox = checkBox("chkprompt", "提示校验完成", true, checkFrame, twips(1500, 840, 1395, 315));
}

void FrmMain::createCorrectFrame()
{
    correctFrame = new QGroupBox(QStringLiteral("纠错"), this);
    correctFrame->setObjectName(QStringLiteral("fracorrect"));
    correctFrame->setGeometry(twips(3600, 960, 3195, 1995));
    deleteUntranslatedBox = checkBox("chknotra", "删除未翻译的行及相关行", false, correctFrame,
                        twips(240, 1560, 2355, 255));
    deleteErroneousBox = checkBox("chkerror", "删除错误的行及相关行", true, correctFrame,
                        twips(240, 1200, 2235, 195));
    deleteEmptyBox = checkBox("chkspace", "删除空行及相关行", true, correctFrame,
                        twips(240, 840, 2055, 195));
}

// The option buttons are the window's own, lying over the frames' upper
// parts, so that they form one group.
void FrmMain::createModes()
{
    correctModeButton = new QRadioButton(QStringLiteral("启用纠错"), this);
    correctModeButton->setObjectName(QStringLiteral("optcorrect"));
    design::place(correctModeButton, twips(3840, 1410, 1155, 195));
    checkModeButton = new QRadioButton(QStringLiteral("启用检错"), this);
    checkModeButton->setObjectName(QStringLiteral("optcheck"));
    design::place(checkModeButton, twips(360, 1380, 1155, 255));
    checkModeButton->setChecked(true);
    correctModeButton->raise();
    checkModeButton->raise();
}

void FrmMain::createButtons()
{
    aboutButton = makeButton("cmdhelp", "关于(&A)", this, twips(619, 3750, 1095, 375));
    exitButton = makeButton("cmdexit", "退出(&X)", this, twips(5277, 3750, 1095, 375));
    checkButton = makeButton("cmdCheck", "校验(&C)", this, twips(2940, 3750, 1095, 375));
}

void FrmMain::setTabOrder()
{
    const QList<QWidget*> order {browseButton,  checkButton, exitButton,  pathBox,  promptAtEndBox,
                                 stopOnErrorsBox,  replaceLogBox, stopOnEmptyBox, deleteEmptyBox, deleteErroneousBox,
                                 deleteUntranslatedBox, checkModeButton, correctModeButton, aboutButton};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    for (QWidget* w : {static_cast<QWidget*>(fileLabel), static_cast<QWidget*>(switchLabel),
                       static_cast<QWidget*>(checkFrame), static_cast<QWidget*>(correctFrame)})
        w->setFocusPolicy(Qt::NoFocus);
    browseButton->setFocus();
}

// Fixed tooltips now; the frames, stopOnErrorsBox and pathBox get theirs when the
// pointer first moves over them.
void FrmMain::setHints()
{
    aboutButton->setToolTip(QStringLiteral("调入帮助文件"));
    browseButton->setToolTip(QStringLiteral("打开要校验的字典文件"));
    promptAtEndBox->setToolTip(QStringLiteral("该项不可阻止由于错误而出现的提示"));
    setMouseTracking(true);
    for (QWidget* w : {static_cast<QWidget*>(switchLabel), static_cast<QWidget*>(checkFrame),
                       static_cast<QWidget*>(correctFrame), static_cast<QWidget*>(stopOnErrorsBox),
                       static_cast<QWidget*>(pathBox)})
        w->setMouseTracking(true);
}

void FrmMain::connectHandlers()
{
    connect(checkModeButton, &QRadioButton::clicked, this, &FrmMain::showCheckMode);
    connect(correctModeButton, &QRadioButton::clicked, this, &FrmMain::showCorrectMode);
    connect(checkButton, &QPushButton::clicked, this, &FrmMain::runCheck);
    connect(browseButton, &QPushButton::clicked, this, &FrmMain::browse);
    connect(pathBox, &QLineEdit::textChanged, this, &FrmMain::restorePath);
    connect(aboutButton, &QPushButton::clicked, this, &FrmMain::showAbout);
    connect(exitButton, &QPushButton::clicked, this, &FrmMain::endNow);
    connect(switchLabel, &ClickLabel::clicked, this, &FrmMain::switchRequested);
}

void FrmMain::applyOpeningRule()
{
    checkButton->setEnabled(false);
    if (checkModeButton->isChecked())
        showCheckMode();
    else
        showCorrectMode();
}

// Enabling a box never changes its check mark.
void FrmMain::showCheckMode()
{
    for (QCheckBox* box : {stopOnEmptyBox, stopOnErrorsBox})
        box->setEnabled(true);
    for (QCheckBox* box : {deleteEmptyBox, deleteErroneousBox, deleteUntranslatedBox})
        box->setEnabled(false);
}

void FrmMain::showCorrectMode()
{
    for (QCheckBox* box : {stopOnEmptyBox, stopOnErrorsBox})
        box->setEnabled(false);
    for (QCheckBox* box : {deleteEmptyBox, deleteErroneousBox, deleteUntranslatedBox})
        box->setEnabled(true);
}

void FrmMain::browse()
{
    chooseFile(QStringLiteral("文本文件(*.TXT)"), QStringLiteral("*.TXT"));
    pathBox->setText(chosenPath());
    if (!chosenPath().isEmpty() && !chosenPath().endsWith(QLatin1String("txt"))) {
        showMessageBox(this, {"该类型的文件可能无法进行处理！", "警告", Buttons::Ok,
                              Icon::Exclamation});
    }
    warnAboutReading();
    updateCheckButton(!chosenPath().isEmpty());
    exitButton->setEnabled(true);
}

// The path box only shows the chosen path: an edit is undone at once.
void FrmMain::restorePath()
{
    if (pathBox->text() != chosenPath())
        pathBox->setText(chosenPath());
    updateCheckButton(pathBox->text().size() > 3);
}

// checkButton stays disabled while a run is in progress, whatever is chosen.
void FrmMain::updateCheckButton(bool enable) { checkButton->setEnabled(enable && !isRunning()); }

Mode FrmMain::selectedMode() const { return correctModeButton->isChecked() ? Mode::Correct : Mode::Check; }

bool FrmMain::option(Option option) const
{
    switch (option) {
    case Option::ReplaceLog: return replaceLogBox->isChecked();
    case Option::PromptAtEnd: return promptAtEndBox->isChecked();
    case Option::StopOnErrors: return stopOnErrorsBox->isChecked();
    case Option::StopOnEmpty: return stopOnEmptyBox->isChecked();
    case Option::DeleteEmpty: return deleteEmptyBox->isChecked();
    case Option::DeleteErroneous: return deleteErroneousBox->isChecked();
    case Option::DeleteUntranslated: return deleteUntranslatedBox->isChecked();
    }
    return false;
}

// The log's header quotes the captions as the window shows them.
RunRequest FrmMain::runRequest() const
{
    RunRequest request = baseRequest(Layout::LinePairs);
    request.options = this;
    request.captions.checkOperation = checkFrame->title().toStdString();
    request.captions.correctOperation = correctFrame->title().toStdString();
    request.captions.deleteEmpty = deleteEmptyBox->text().toStdString();
    request.captions.deleteErroneous = deleteErroneousBox->text().toStdString();
    request.captions.deleteUntranslated = deleteUntranslatedBox->text().toStdString();
    return request;
}

// A run holds Check, Exit and the switch to the other window. The switch
// looks disabled meanwhile: no highlight, no hand cursor.
void FrmMain::setBusy(bool busy)
{
    checkButton->setEnabled(!busy);
    exitButton->setEnabled(!busy);
    switchLabel->setEnabled(!busy);
    if (busy) {
        setSwitchHighlight(false);
        switchLabel->unsetCursor();
    } else {
        switchLabel->setCursor(artwork::pointingHand());
    }
}


void FrmMain::afterRun() { updateCheckButton(!chosenPath().isEmpty()); }

bool FrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove)
        hover(watched, static_cast<QMouseEvent*>(event));
    return CheckWindow::eventFilter(watched, event);
}

void FrmMain::hover(QObject* watched, QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (watched == switchLabel) {
        setSwitchHighlight(switchLabel->isEnabled());
    } else if (watched == checkFrame || watched == correctFrame) {
        auto* frame = static_cast<QGroupBox*>(watched);
        if (frame->childAt(at) == nullptr)  // the frame's own surface only
            frame->setToolTip(kFrameHint);
    } else if (watched == stopOnErrorsBox) {
        stopOnErrorsBox->setToolTip(kStopHint);
    } else if (watched == pathBox) {
        pathBox->setToolTip(chosenPath());
    }
}

// Only the window's bare surface takes the highlight off switchLabel.
void FrmMain::mouseMoveEvent(QMouseEvent* event)
{
    if (childAt(event->position().toPoint()) == nullptr)
        setSwitchHighlight(false);
    CheckWindow::mouseMoveEvent(event);
}

void FrmMain::setSwitchHighlight(bool lit)
{
    QPalette palette = switchLabel->palette();
    palette.setColor(QPalette::Window, lit ? kHighlight : QPalette().color(QPalette::Button));
    palette.setColor(QPalette::WindowText, QPalette().color(QPalette::WindowText));
    switchLabel->setPalette(palette);
}

}  // namespace corvel
