#include "statusbox.h"

#include "design.h"
#include "linenumberlabel.h"

#include <QFrame>
#include <QLabel>

namespace corvel {

namespace {

struct LabelDesign {
    const char* name;
    const char* caption;
    QColor colour;
    Qt::Alignment alignment;
};

const std::array<LabelDesign, StatusBox::kLabels> kLabelDesigns {{
    {"lbl1", "正在处理第", QColor(0x00, 0x00, 0xFF), Qt::AlignLeft},
    {"lbl2", "10000", QColor(0xC0, 0x00, 0x00), Qt::AlignHCenter},
    {"lbl3", "行", QColor(0x00, 0x00, 0xFF), Qt::AlignLeft},
    {"lbl4", "按 ESC 键停止校验...", QColor(0xFF, 0x00, 0x00), Qt::AlignLeft},
    {"lbl5", "等待检错或纠错工作", QColor(0x00, 0xC0, 0x00), Qt::AlignHCenter},
}};

int indexOf(StatusLabel which) { return static_cast<int>(which); }

}  // namespace

StatusBox::StatusBox(QWidget* window, const StatusBoxDesign& design)
    : box_(new QFrame(window))
{
    box_->setObjectName(QString::fromLatin1(design.boxName));
    box_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box_->setGeometry(design.box);
    createLabels(window, design);
    showIdle();
}

// The labels have a fixed size: a label whose size may change asks its
// window for a layout pass at every new text, which at a line number per
// line would cost more than the run itself.
void StatusBox::createLabels(QWidget* window, const StatusBoxDesign& design)
{
    for (int i = 0; i < kLabels; ++i) {
        const LabelDesign& d = kLabelDesigns[i];
        const QString caption = QString::fromUtf8(d.caption);
        QLabel* label = i == indexOf(StatusLabel::LineNumber)
            ? (lineNumber_ = new LineNumberLabel(caption, window))
            : new QLabel(caption, window);
        label->setObjectName(QString::fromLatin1(d.name));
        label->setFont(design::songFont(10.5));
        label->setAlignment(d.alignment | Qt::AlignVCenter);
        design::setTextColour(label, d.colour);
        design::place(label, design.labels[i]);
        label->setFixedSize(label->size());
        label->raise();
        labels_[i] = label;
    }
}

QLabel* StatusBox::label(StatusLabel which) const { return labels_[indexOf(which)]; }

void StatusBox::setText(StatusLabel which, const QString& text) { label(which)->setText(text); }

void StatusBox::setLabelVisible(StatusLabel which, bool visible)
{
    label(which)->setVisible(visible);
}

void StatusBox::setLineNumber(std::int32_t line) { lineNumber_->showLine(line); }

void StatusBox::showIdle()
{
    for (QLabel* label : labels_)
        label->hide();
    setText(StatusLabel::Message, QStringLiteral("等待检错或纠错工作"));
    setLabelVisible(StatusLabel::Message, true);
}

void StatusBox::showStarting()
{
    setText(StatusLabel::Message, QStringLiteral("正在处理..."));
}

void StatusBox::showProgress()
{
    setLabelVisible(StatusLabel::Message, false);
    for (StatusLabel l : {StatusLabel::Processing, StatusLabel::LineNumber, StatusLabel::Line,
                          StatusLabel::EscHint})
        setLabelVisible(l, true);
}

void StatusBox::showTotal(std::int32_t lines)
{
    for (StatusLabel l : {StatusLabel::Processing, StatusLabel::LineNumber, StatusLabel::Line,
                          StatusLabel::EscHint})
        setLabelVisible(l, false);
    setText(StatusLabel::Message,
            QStringLiteral("总共处理了 %1 行").arg(lines));
    setLabelVisible(StatusLabel::Message, true);
}

void StatusBox::setBoxVisible(bool visible)
{
    box_->setVisible(visible);
    if (!visible) {
        for (QLabel* label : labels_)
            label->hide();
    }
}

}  // namespace corvel
