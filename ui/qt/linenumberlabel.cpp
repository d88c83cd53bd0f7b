#include "linenumberlabel.h"

namespace corvel {

LineNumberLabel::LineNumberLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    frame_.setInterval(kFrameMs);
    connect(&frame_, &QTimer::timeout, this, &LineNumberLabel::drawFrame);
}

// While numbers arrive, updates stay disabled so that setText schedules no
// repaint; the frame timer draws the latest number instead.
void LineNumberLabel::showLine(std::int32_t line)
{
    if (!frame_.isActive()) {
        setUpdatesEnabled(false);
        frame_.start();
    }
    setText(QString::number(line));
    changed_ = true;
}

void LineNumberLabel::drawFrame()
{
    if (!changed_) {
        release();  // the numbers have stopped: back to ordinary painting
        return;
    }
    changed_ = false;
    setUpdatesEnabled(true);
    repaint();
    setUpdatesEnabled(false);
}

void LineNumberLabel::release()
{
    frame_.stop();
    setUpdatesEnabled(true);
}

void LineNumberLabel::paintEvent(QPaintEvent* event)
{
    ++paints_;
    QLabel::paintEvent(event);
}

void LineNumberLabel::hideEvent(QHideEvent* event)
{
    release();
    QLabel::hideEvent(event);
}

}  // namespace corvel
