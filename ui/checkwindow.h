// The Qt view of a check window (main or equals): builds the window and its
// status box from the design, carries out what the window's behaviour
// (ui_core) asks, and reports the user's events to it. ESC is the window's,
// whichever control has the focus; the close box is the behaviour's to
// decide.
#pragma once

#include "check_window.h"
#include "designwidgets.h"
#include "services/editorlauncher.h"
#include "window_view.h"

#include <QWidget>

#include <filesystem>

namespace corvel {

class LineNumberLabel;

class CheckWindow : public QWidget, public CheckWindowView {
    Q_OBJECT
public:
    ~CheckWindow() override;

    bool isEnding() const { return behaviour().isEnding(); }
    const std::filesystem::path& outputParent() const { return behaviour().outputParent(); }

    // CheckWindowView
    void setText(Control control, std::string_view text) override { controls_.setText(control, text); }
    void setEnabled(Control control, bool enabled) override { controls_.setEnabled(control, enabled); }
    void setVisible(Control control, bool visible) override { controls_.setVisible(control, visible); }
    void setChecked(Control control, bool checked) override { controls_.setChecked(control, checked); }
    bool isChecked(Control control) const override { return controls_.isChecked(control); }
    void setHint(Control control, std::string_view text) override { controls_.setHint(control, text); }
    void setHighlight(Control control, bool lit) override { controls_.setHighlight(control, lit); }
    void showLineNumber(std::int32_t line) override;
    Answer showMessage(const MessageBoxRequest& request) override;
    std::string chooseFile(const FileChooserRequest& request) override;
    void beep() override;
    Error openInEditor(const EditorRequest& request) override;
    void serveEvents() override;
    void showAbout() override;
    void switchWindow() override;
    void endApplication() override;

    using QWidget::setEnabled;
    using QWidget::setVisible;

signals:
    // The application should end now: no run is in progress any more.
    void endRequested();
    // The user asked for the other check window.
    void switchRequested();

protected:
    CheckWindow(WindowKind kind, EditorLauncher launcher);

    virtual CheckWindowBehaviour& behaviour() = 0;
    virtual const CheckWindowBehaviour& behaviour() const = 0;

    ControlMap& controls() { return controls_; }
    const ControlDesign& design(Control id) const { return controls_.design(id); }

    // The window's caption, icon, flags, font and size from its design.
    void createWindow();
    // Image1 / img and lbl1 to lbl5.
    void createStatusBox();
    // The path box reports its changes; cmdopen, cmdCheck and the about
    // button report their clicks.
    void connectCommonHandlers();
    // Makes every child control pass key presses to the window first.
    void previewKeys();

    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void centreOnScreen();

    ControlMap controls_;
    EditorLauncher launcher_;
    LineNumberLabel* lineNumber_ = nullptr;
};

}  // namespace corvel
