#include "recording_view.h"

namespace corvel::test {

RecordingState::RecordingState(WindowKind kind)
{
    for (const ControlDesign& c : windowDesign(kind).controls)
        controls_[c.id] = {c.caption, c.hint, c.enabled, c.visible, c.checked, false};
}

std::vector<std::string> RecordingView::messageTexts() const
{
    std::vector<std::string> texts;
    for (const MessageBoxRequest& m : messages)
        texts.push_back(m.text);
    return texts;
}

Answer RecordingView::showMessage(const MessageBoxRequest& request)
{
    messages.push_back(request);
    for (const auto& [start, answer] : answers)
        if (request.text.starts_with(start))
            return answer;
    return Answer::Ok;
}

std::string RecordingView::chooseFile(const FileChooserRequest& request)
{
    chooserRequests.push_back(request);
    if (chooserAnswers.empty())
        return {};
    std::string path = chooserAnswers.front();
    chooserAnswers.pop_front();
    return path;
}

Error RecordingView::openInEditor(const EditorRequest& request)
{
    editorRequests.push_back(request);
    if (editorResult == ErrorKind::None)
        return {};
    return Error(editorResult, FileOp::StartProgram, request.commandLine, "no editor");
}

// The hook runs once: it stands for one user action during a run.
void RecordingView::serveEvents()
{
    if (auto hook = std::exchange(onServe, nullptr))
        hook();
}

}  // namespace corvel::test
