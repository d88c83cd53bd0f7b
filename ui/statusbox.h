// The status box of a check window: a bordered box with the labels lbl1 to
// lbl5 on one row. Idle, lbl5 alone reads "等待检错或纠错工作"; during a run
// lbl1 to lbl4 read "正在处理第 N 行 按 ESC 键停止校验...".
#pragma once

#include <QRect>

#include <array>
#include <cstdint>

class QFrame;
class QLabel;
class QWidget;

namespace corvel {

class LineNumberLabel;

// The labels of the status box.
enum class StatusLabel {
    Processing,  // lbl1 "正在处理第"
    LineNumber,  // lbl2
    Line,        // lbl3 "行"
    EscHint,     // lbl4 "按 ESC 键停止校验..."
    Message,     // lbl5 waiting / processing... / result text
};

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
    // lbl5 alone with "正在处理...": a run is opening its files.
    void showStarting();
    // lbl1 to lbl4 ("正在处理第 N 行 按 ESC 键停止校验...") instead of lbl5.
    void showProgress();
    // lbl5 alone with "总共处理了 N 行".
    void showTotal(std::int32_t lines);
    void setBoxVisible(bool visible);

private:
    void createLabels(QWidget* window, const StatusBoxDesign& design);

    QFrame* box_ = nullptr;
    LineNumberLabel* lineNumber_ = nullptr;
    std::array<QLabel*, kLabels> labels_ {};
};

}  // namespace corvel
