// A window for the check runs that records everything the run does to it:
// message boxes, status labels, enabled controls, editor requests, beeps,
// yields and the end of the application. Its answers and its behaviour at
// each yield are scripted by the test.
#pragma once

#include "check_runs.h"
#include "run_window.h"

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace corvel::test {

class FakeWindow : public RunWindow {
public:
    // Options and captions as a fresh main window has them.
    FakeWindow()
    {
        options[Option::ReplaceLog] = true;
        options[Option::PromptAtEnd] = true;
        options[Option::StopOnErrors] = true;
        options[Option::StopOnEmpty] = false;
        options[Option::DeleteEmpty] = true;
        options[Option::DeleteErroneous] = true;
        options[Option::DeleteUntranslated] = false;
        for (Caption c : {Caption::CheckFrame, Caption::CorrectFrame, Caption::DeleteEmpty,
                          Caption::DeleteErroneous, Caption::DeleteUntranslated})
            captions[c] = designCaption(c);
        for (StatusLabel l : {StatusLabel::Processing, StatusLabel::LineNumber, StatusLabel::Line,
                              StatusLabel::EscHint})
            labelVisible[l] = false;
        labelVisible[StatusLabel::Message] = true;
        labelText[StatusLabel::Message] = "等待检错或纠错工作";
        for (Control c : {Control::Check, Control::Exit, Control::Switch})
            enabled[c] = true;
    }

    // --- what the test sets up ---
    std::filesystem::path path;
    Mode currentMode = Mode::Check;
    std::map<Option, bool> options;
    std::map<Caption, std::string> captions;
    // Answers to the message boxes, in order; when none is left, OK.
    std::deque<Answer> answers;
    // What startEditor reports.
    Error editorError;
    // Called at every yield with the number of the line just handled;
    // returning false ends the application (ESC confirmed).
    std::function<bool(std::int32_t line)> onYield;
    // Called while a message box is shown, and when the run ends the
    // application (a real window would end the process right there).
    std::function<void(const MessageBoxRequest&)> onMessageBox;
    std::function<void()> onEndApplication;

    // --- what the run did ---
    // "box <title>", "editor", "beep" and "end", in the order they happened.
    std::vector<std::string> events;
    std::vector<MessageBoxRequest> boxes;
    std::vector<EditorRequest> editors;
    std::vector<std::int32_t> lineNumbers;
    std::map<StatusLabel, std::string> labelText;
    std::map<StatusLabel, bool> labelVisible;
    std::map<Control, bool> enabled;
    int beeps = 0;
    int yields = 0;
    int endApplicationCalls = 0;
    mutable int pathReads = 0;
    mutable int modeReads = 0;

    bool anyControlEnabled() const
    {
        for (const auto& [control, on] : enabled)
            if (on)
                return true;
        return false;
    }
    bool allControlsEnabled() const
    {
        for (const auto& [control, on] : enabled)
            if (!on)
                return false;
        return true;
    }
    // lbl1 to lbl4 shown together, lbl5 hidden: "正在处理第 N 行".
    bool showsProgress() const
    {
        return labelVisible.at(StatusLabel::Processing) &&
            labelVisible.at(StatusLabel::LineNumber) && labelVisible.at(StatusLabel::Line) &&
            labelVisible.at(StatusLabel::EscHint) && !labelVisible.at(StatusLabel::Message);
    }
    // Only lbl5 shown.
    bool showsMessageOnly() const
    {
        return !labelVisible.at(StatusLabel::Processing) &&
            !labelVisible.at(StatusLabel::LineNumber) && !labelVisible.at(StatusLabel::Line) &&
            !labelVisible.at(StatusLabel::EscHint) && labelVisible.at(StatusLabel::Message);
    }
    std::string message() const { return labelText.at(StatusLabel::Message); }

    // --- RunWindow ---
    std::filesystem::path chosenPath() const override
    {
        ++pathReads;
        return path;
    }
    Mode mode() const override
    {
        ++modeReads;
        return currentMode;
    }
    bool option(Option option) const override { return options.at(option); }
    std::string caption(Caption caption) const override { return captions.at(caption); }

    void setLabelText(StatusLabel label, const std::string& text) override
    {
        labelText[label] = text;
    }
    void setLabelVisible(StatusLabel label, bool visible) override
    {
        labelVisible[label] = visible;
    }
    void setLineNumber(std::int32_t line) override
    {
        lineNumbers.push_back(line);
        labelText[StatusLabel::LineNumber] = std::to_string(line);
    }
    void setEnabled(Control control, bool on) override { enabled[control] = on; }

    Answer messageBox(const MessageBoxRequest& request) override
    {
        boxes.push_back(request);
        events.push_back("box " + request.title);
        if (onMessageBox)
            onMessageBox(request);
        if (answers.empty())
            return Answer::Ok;
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    Error startEditor(const EditorRequest& request) override
    {
        editors.push_back(request);
        events.push_back("editor");
        return editorError;
    }
    void beep() override
    {
        ++beeps;
        events.push_back("beep");
    }
    bool yield() override
    {
        ++yields;
        std::int32_t line = lineNumbers.empty() ? 0 : lineNumbers.back();
        return onYield ? onYield(line) : true;
    }
    void endApplication() override
    {
        ++endApplicationCalls;
        events.push_back("end");
        if (onEndApplication)
            onEndApplication();
    }
};

}  // namespace corvel::test
