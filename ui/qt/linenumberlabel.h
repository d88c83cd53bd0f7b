// The status box's line number. A run sets it after every line, far more
// often than a screen can show; its text is always current, but the label
// reaches the screen at most once per display frame while numbers arrive.
#pragma once

#include <QLabel>
#include <QTimer>

#include <cstdint>

namespace corvel {

class LineNumberLabel : public QLabel {
    Q_OBJECT
public:
    // About one display frame.
    static constexpr int kFrameMs = 16;

    explicit LineNumberLabel(const QString& text, QWidget* parent = nullptr);

    void showLine(std::int32_t line);
    // Number of times the label was drawn; lets tests and the benchmark see
    // that drawing is bounded by frames, not lines.
    int paintCount() const { return paints_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void drawFrame();
    void release();

    QTimer frame_;
    int paints_ = 0;
    bool changed_ = false;
};

}  // namespace corvel
