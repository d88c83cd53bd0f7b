#include "run_wording.h"

#include "corvel/display_path.h"

namespace corvel {

MessageBoxRequest questionBox(Question question)
{
    switch (question) {
    case Question::DictionaryMissing:
        return {"该文件不存在，请重新选择文件！", "错误", Buttons::Ok, Icon::Critical};
    case Question::UnknownError:
        return {"发生未知错误！程序即将终止！", "错误", Buttons::Ok, Icon::Critical};
    case Question::OpenLogAtEnd:
        return {"已经处理完成。是否要查看记录？", "恭喜", Buttons::OkCancel, Icon::Question};
    case Question::OpenLogAfterEmpty:
        return {"遇到空行，停止执行程序！是否要查看记录？", "查看文件", Buttons::OkCancel,
                Icon::Exclamation};
    case Question::SeriousError:
        return {"发生了严重错误！\n请查看日志文件。", "严重错误", Buttons::Ok, Icon::Critical};
    }
    return {};
}

EditorRequest editorRequest(const std::filesystem::path& log, LogOpening when)
{
    switch (when) {
    case LogOpening::AtEnd:
        return {"notepad.exe  " + displayPath(log), log, false};
    case LogOpening::AfterEmptyLineStop:
        return {"notepad.exe " + displayPath(log), log, false};
    case LogOpening::AfterSeriousError:
        return {"notepad.exe " + displayPath(log), log, true};
    }
    return {};
}

}  // namespace corvel
