// Qt widgets made from the design tables of ui_core (window_design.h), and
// the map from a window's Control ids to its widgets through which a Qt
// view carries out what the behaviour asks.
#pragma once

#include "window_design.h"

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QRect>
#include <QString>

#include <optional>
#include <string_view>
#include <unordered_map>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace corvel::design {

// A design text (UTF-8) as Qt holds it.
QString text(std::string_view utf8);
// The design rectangle in pixels at 96 dpi.
QRect pixelRect(const TwipRect& rect);
QFont font(const FontDesign& font);
// A design colour; system colours as the application palette has them.
QColor colour(const Colour& colour);

QCursor cursor(Pointer pointer);

// The design values every control has: object name, font, text colour,
// fixed tooltip, enabled and visible state, mouse pointer.
void applyCommon(QWidget* widget, const ControlDesign& design);

// A push button at its design place, not a default button.
QPushButton* makeButton(const ControlDesign& design, QWidget* parent);
// Check and option buttons at their design place, grown to their text.
QCheckBox* makeCheckBox(const ControlDesign& design, QWidget* parent);
QRadioButton* makeOptionButton(const ControlDesign& design, QWidget* parent);
QGroupBox* makeFrame(const ControlDesign& design, QWidget* parent);
// A single-line box at its design place.
QLineEdit* makeTextBox(const ControlDesign& design, QWidget* parent);

}  // namespace corvel::design

namespace corvel {

class ControlMap {
public:
    explicit ControlMap(const WindowDesign& design) : design_(design) {}

    const WindowDesign& window() const { return design_; }
    const ControlDesign& design(Control id) const { return design_.control(id); }
    void add(Control id, QWidget* widget);
    QWidget* widget(Control id) const;
    std::optional<Control> idOf(const QObject* widget) const;

    // Focus in the design's tab order; the other controls take none. The
    // first control in the order gets the focus.
    void applyTabOrder() const;

    // WindowView, for the Qt widgets.
    void setText(Control id, std::string_view text) const;
    void setEnabled(Control id, bool enabled) const;
    void setVisible(Control id, bool visible) const;
    void setChecked(Control id, bool checked) const;
    bool isChecked(Control id) const;
    void setHint(Control id, std::string_view text) const;
    void setHighlight(Control id, bool lit) const;

private:
    const WindowDesign& design_;
    std::unordered_map<Control, QWidget*> widgets_;
};

}  // namespace corvel
