// The Qt view of a check window (main or equals): builds the window from
// its design, carries out what the window's behaviour (ui_core) asks, and
// reports the user's events to it. ESC is the window's, whichever control
// has the focus; the close box is the behaviour's to decide.
#pragma once

#include "check_window.h"
#include "controlmap.h"
#include "services/editorlauncher.h"
#include "window_view.h"

#include <QWidget>

#include <filesystem>
#include <memory>

namespace corvel {

class LineNumberLabel;

class CheckWindow : public QWidget, public CheckWindowView {
    Q_OBJECT
public:
    explicit CheckWindow(WindowKind kind, EditorLauncher launcher = launchEditor);
    ~CheckWindow() override;

    bool isEnding() const { return behaviour_->isEnding(); }
    const std::filesystem::path& outputParent() const { return behaviour_->outputParent(); }

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
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void connectControls();
    void hover(QObject* watched, QMouseEvent* event);

    ControlMap controls_;
    EditorLauncher launcher_;
    std::unique_ptr<CheckWindowBehaviour> behaviour_;
    LineNumberLabel* lineNumber_;
};

}  // namespace corvel
