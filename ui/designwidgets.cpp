#include "designwidgets.h"

#include "artwork.h"
#include "design.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <stdexcept>

namespace corvel::design {

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QCursor cursor(Pointer pointer)
{
    return pointer == Pointer::LinkHand ? artwork::linkHand() : artwork::pointingHand();
}

QRect pixelRect(const TwipRect& rect) { return twips(rect.left, rect.top, rect.width, rect.height); }

QFont font(const FontDesign& font)
{
    QFont f(text(font.face));
    f.setPointSizeF(font.points);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    return f;
}

QColor colour(const Colour& colour)
{
    switch (colour.kind) {
    case Colour::Kind::Rgb: return QColor(colour.red(), colour.green(), colour.blue());
    case Colour::Kind::System:
        switch (static_cast<SystemColour>(colour.value)) {
        case SystemColour::MenuBackground: return QPalette().color(QPalette::Button);
        case SystemColour::WindowText: return QPalette().color(QPalette::WindowText);
        case SystemColour::InactiveBorder: return QPalette().color(QPalette::Inactive, QPalette::Mid);
        }
        break;
    case Colour::Kind::Default: break;
    }
    return {};
}

void applyCommon(QWidget* widget, const ControlDesign& design)
{
    widget->setObjectName(text(design.name));
    if (design.font != kWindowFont)
        widget->setFont(font(design.font));
    if (design.fore.kind == Colour::Kind::Rgb)
        setTextColour(widget, colour(design.fore));
    if (!design.hint.empty())
        widget->setToolTip(text(design.hint));
    if (!design.enabled)
        widget->setEnabled(false);
    if (!design.visible)
        widget->hide();
    if (design.pointer != Pointer::Default)
        widget->setCursor(cursor(design.pointer));
}

QPushButton* makeButton(const ControlDesign& design, QWidget* parent)
{
    auto* b = new QPushButton(text(design.caption), parent);
    applyCommon(b, design);
    b->setAutoDefault(false);
    b->setGeometry(pixelRect(design.rect));
    return b;
}

QCheckBox* makeCheckBox(const ControlDesign& design, QWidget* parent)
{
    auto* box = new QCheckBox(text(design.caption), parent);
    applyCommon(box, design);
    box->setChecked(design.checked);
    place(box, pixelRect(design.rect));
    return box;
}

QRadioButton* makeOptionButton(const ControlDesign& design, QWidget* parent)
{
    auto* b = new QRadioButton(text(design.caption), parent);
    applyCommon(b, design);
    place(b, pixelRect(design.rect));
    b->setChecked(design.checked);
    return b;
}

QGroupBox* makeFrame(const ControlDesign& design, QWidget* parent)
{
    auto* frame = new QGroupBox(text(design.caption), parent);
    applyCommon(frame, design);
    frame->setGeometry(pixelRect(design.rect));
    return frame;
}

QLineEdit* makeTextBox(const ControlDesign& design, QWidget* parent)
{
    auto* box = new QLineEdit(text(design.caption), parent);
    applyCommon(box, design);
    box->setGeometry(pixelRect(design.rect));
    return box;
}

}  // namespace corvel::design

namespace corvel {

using design::text;

void ControlMap::add(Control id, QWidget* widget) { widgets_[id] = widget; }

QWidget* ControlMap::widget(Control id) const
{
    const auto found = widgets_.find(id);
    if (found == widgets_.end())
        throw std::logic_error("no widget for a control of " + std::string(design_.name));
    return found->second;
}

std::optional<Control> ControlMap::idOf(const QObject* widget) const
{
    for (const auto& [id, w] : widgets_)
        if (w == widget)
            return id;
    return std::nullopt;
}

void ControlMap::applyTabOrder() const
{
    const std::vector<const ControlDesign*> order = design_.tabOrder();
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(widget(order[i]->id), widget(order[i + 1]->id));
    for (const auto& [id, w] : widgets_)
        if (!design(id).takesFocus())
            w->setFocusPolicy(Qt::NoFocus);
    if (!order.empty())
        widget(order.front()->id)->setFocus();
}

void ControlMap::setText(Control id, std::string_view utf8) const
{
    QWidget* w = widget(id);
    if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(text(utf8));
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(text(utf8));
    else if (auto* box = qobject_cast<QLineEdit*>(w))
        box->setText(text(utf8));
    else if (auto* frame = qobject_cast<QGroupBox*>(w))
        frame->setTitle(text(utf8));
}

// A control with a pointer of its own shows it only while enabled.
void ControlMap::setEnabled(Control id, bool enabled) const
{
    QWidget* w = widget(id);
    w->setEnabled(enabled);
    const Pointer pointer = design(id).pointer;
    if (pointer == Pointer::Default)
        return;
    if (enabled)
        w->setCursor(design::cursor(pointer));
    else
        w->unsetCursor();
}

void ControlMap::setVisible(Control id, bool visible) const { widget(id)->setVisible(visible); }

void ControlMap::setChecked(Control id, bool checked) const
{
    if (auto* button = qobject_cast<QAbstractButton*>(widget(id)))
        button->setChecked(checked);
}

bool ControlMap::isChecked(Control id) const
{
    auto* button = qobject_cast<QAbstractButton*>(widget(id));
    return button && button->isChecked();
}

void ControlMap::setHint(Control id, std::string_view utf8) const
{
    widget(id)->setToolTip(text(utf8));
}

void ControlMap::setHighlight(Control id, bool lit) const
{
    const ControlDesign& d = design(id);
    QWidget* w = widget(id);
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, design::colour(lit ? d.hover : d.back));
    if (!d.fore.isDefault())
        palette.setColor(QPalette::WindowText, design::colour(d.fore));
    w->setPalette(palette);
}

}  // namespace corvel
