// A window's Qt widgets made from its design table (window_design.h), as
// the Win32 view makes its controls: each by its role, in its parent, at
// its place, in the tab order. The map from Control ids to the widgets is
// how a Qt view carries out what the window's behaviour asks.
#pragma once

#include "window_design.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace corvel {

class ControlMap {
public:
    // Gives `window` the design's name, caption, icon, font, size and
    // place, and makes every control of the design in it.
    ControlMap(const WindowDesign& design, QWidget* window, Qt::WindowFlags flags);

    const WindowDesign& window() const { return design_; }
    const ControlDesign& design(Control id) const { return design_.control(id); }
    QWidget* widget(Control id) const;
    std::optional<Control> idOf(const QObject* widget) const;
    const std::vector<std::pair<Control, QWidget*>>& widgets() const { return widgets_; }

    // Reports the clicks on buttons, check and option buttons and labels.
    void onClicked(const std::function<void(Control)>& report) const;

    // WindowView, for the Qt widgets.
    void setText(Control id, std::string_view text) const;
    void setEnabled(Control id, bool enabled) const;
    void setVisible(Control id, bool visible) const;
    void setChecked(Control id, bool checked) const;
    bool isChecked(Control id) const;
    void setHint(Control id, std::string_view text) const;
    void setHighlight(Control id, bool lit) const;

private:
    void setUpWindow(Qt::WindowFlags flags);
    QWidget* create(const ControlDesign& design);
    QWidget* createLabel(const ControlDesign& design, QWidget* parent);
    QWidget* createImage(const ControlDesign& design, QWidget* parent);
    void applyTabOrder() const;

    const WindowDesign& design_;
    QWidget* window_;
    std::vector<std::pair<Control, QWidget*>> widgets_;
};

}  // namespace corvel
