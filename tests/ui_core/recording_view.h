// A check window's view that records what the behaviour shows and answers
// its questions from a script: the controls' state starts from the design
// table; message boxes, the chooser and the editor answer as the test says;
// serveEvents() runs the test's hook, which stands for the user acting
// between two lines of a run.
#pragma once

#include "window_view.h"

#include <deque>
#include <utility>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace corvel::test {

struct ControlState {
    std::string text;
    std::string hint;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    bool lit = false;
};

class RecordingState {
public:
    explicit RecordingState(WindowKind kind);

    ControlState& operator[](Control id) { return controls_.at(id); }
    const ControlState& operator[](Control id) const { return controls_.at(id); }

private:
    std::map<Control, ControlState> controls_;
};

class RecordingView : public CheckWindowView {
public:
    explicit RecordingView(WindowKind kind) : state(kind) {}

    RecordingState state;
    std::vector<MessageBoxRequest> messages;
    // Answers by the start of a message's text; unlisted messages get OK.
    std::map<std::string, Answer> answers;
    std::deque<std::string> chooserAnswers;
    std::vector<FileChooserRequest> chooserRequests;
    std::vector<EditorRequest> editorRequests;
    ErrorKind editorResult = ErrorKind::None;
    std::function<void()> onServe;
    int lineShown = 0;
    int beeps = 0;
    int abouts = 0;
    int switches = 0;
    int ends = 0;

    std::vector<std::string> messageTexts() const;

    void setText(Control c, std::string_view text) override { state[c].text = text; }
    void setEnabled(Control c, bool on) override { state[c].enabled = on; }
    void setVisible(Control c, bool on) override { state[c].visible = on; }
    void setChecked(Control c, bool on) override { state[c].checked = on; }
    bool isChecked(Control c) const override { return state[c].checked; }
    void setHint(Control c, std::string_view text) override { state[c].hint = text; }
    void setHighlight(Control c, bool lit) override { state[c].lit = lit; }
    void showLineNumber(std::int32_t line) override { lineShown = line; }
    Answer showMessage(const MessageBoxRequest& request) override;
    std::string chooseFile(const FileChooserRequest& request) override;
    void beep() override { ++beeps; }
    Error openInEditor(const EditorRequest& request) override;
    void serveEvents() override;
    void showAbout() override { ++abouts; }
    void switchWindow() override { ++switches; }
    void endApplication() override { ++ends; }
};

}  // namespace corvel::test
