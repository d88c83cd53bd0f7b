// The Qt view of the about window: product name, version, author and
// contact lines from the design; clicks go to the window's behaviour.
#pragma once

#include "about_window.h"
#include "controlmap.h"
#include "window_view.h"

#include <QDialog>

namespace corvel {

class AboutWindow : public QDialog, public AboutView {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* opener);

    // AboutView
    void setText(Control control, std::string_view text) override { controls_.setText(control, text); }
    void setEnabled(Control control, bool enabled) override { controls_.setEnabled(control, enabled); }
    void setVisible(Control control, bool visible) override { controls_.setVisible(control, visible); }
    void setChecked(Control control, bool checked) override { controls_.setChecked(control, checked); }
    bool isChecked(Control control) const override { return controls_.isChecked(control); }
    void setHint(Control control, std::string_view text) override { controls_.setHint(control, text); }
    void setHighlight(Control control, bool lit) override { controls_.setHighlight(control, lit); }
    void closeWindow() override;
    void openAddress(std::string_view address) override;

    using QDialog::setEnabled;
    using QDialog::setVisible;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ControlMap controls_;
    AboutWindowBehaviour behaviour_;
};

}  // namespace corvel
