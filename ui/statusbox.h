// The status box of a check window: a bordered box with the labels lbl1 to
// lbl5 on one row. Idle, lbl5 alone reads "等待检错或纠错工作"; during a run
// lbl1 to lbl4 read "正在处理第 N 行 按 ESC 键停止校验...".
#pragma once

#include "run_window.h"

#include <QRect>

#include <array>
#include <cstdint>

class QFrame;
class QLabel;
class QWidget;

namespace corvel {

class LineNumberLabel;

struct StatusBoxDesign {
    const char* boxName;          // the box's design name ("Image1", "img")
    QRect box;                    // window coordinates, pixels
    std::array<QRect, 5> labels;  // lbl1 to lbl5, window coordinates, pixels
};

class StatusBox {
public:
    static constexpr int kLabels = 5;

    StatusBox(QWidget* window, const StatusBoxDesign& design);

    QFrame* box() const { return box_; }
    QLabel* label(StatusLabel which) const;

    void setText(StatusLabel which, const QString& text);
    void setLabelVisible(StatusLabel which, bool visible);
    void setLineNumber(std::int32_t line);
    // The whole box with lbl5 alone, as when no run is in progress.
    void showIdle();
    void setBoxVisible(bool visible);

private:
    void createLabels(QWidget* window, const StatusBoxDesign& design);

    QFrame* box_ = nullptr;
    LineNumberLabel* lineNumber_ = nullptr;
    std::array<QLabel*, kLabels> labels_ {};
};

}  // namespace corvel
