// The status box of a check window: a bordered box with the labels lbl1 to
// lbl5 on one row. Idle, lbl5 alone reads "等待检错或纠错工作"; while a run
// opens its files it reads "正在处理..."; during its lines lbl1 to lbl4 read
// "正在处理第 N 行 按 ESC 键停止校验..."; at its end lbl5 alone reads
// "总共处理了 N 行".
#pragma once

#include "window_view.h"

#include <cstdint>
#include <string>

namespace corvel {

class StatusBox {
public:
    explicit StatusBox(WindowView& view) : view_(view) {}

    void showIdle();
    void showStarting();
    void showProgress();
    void showTotal(std::int32_t lines);

    static std::string totalText(std::int32_t lines);

private:
    void showMessageAlone(std::string_view text);

    WindowView& view_;
};

}  // namespace corvel
