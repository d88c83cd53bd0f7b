#include "controlmap.h"

#include "artwork.h"
#include "clicklabel.h"
#include "design.h"
#include "linenumberlabel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>
#include <stdexcept>

namespace corvel {

using design::text;

namespace {

// Widgets made later lie on top. The frames, boxes and lines come first,
// then the labels, then the focusable controls, each group from the last
// design entry to the first: the stacking the Win32 view gives the same
// table, where the first entry lies on top.
int stackRank(const ControlDesign& c)
{
    if (c.takesFocus())
        return 2;
    return c.role == Role::Label ? 1 : 0;
}

// The design values every control has: object name, font, text colour,
// fixed tooltip, enabled and visible state, mouse pointer.
void applyCommon(QWidget* widget, const ControlDesign& d)
{
    widget->setObjectName(text(d.name));
    if (d.font != kWindowFont)
        widget->setFont(design::font(d.font));
    if (d.fore.kind == Colour::Kind::Rgb)
        design::setTextColour(widget, design::colour(d.fore));
    if (!d.hint.empty())
        widget->setToolTip(text(d.hint));
    if (!d.enabled)
        widget->setEnabled(false);
    if (!d.visible)
        widget->hide();
    if (d.pointer != Pointer::Default)
        widget->setCursor(design::cursor(d.pointer));
}

// Rich text keeps a wrapping label's leading spaces and gives its lines a
// little leading: the installed bold Song fills its whole line height, so
// that without it the lines would touch.
QString wrappedText(const ControlDesign& d)
{
    QString caption = text(d.caption);
    qsizetype indent = 0;
    while (indent < caption.size() && caption[indent] == QLatin1Char(' '))
        ++indent;
    caption.replace(0, indent, QStringLiteral("&nbsp;").repeated(indent));
    return QStringLiteral("<p style=\"line-height:118%\">%1</p>").arg(caption);
}

// The design's background, or its hover colour while lit.
void paintBackground(QWidget* widget, const ControlDesign& d, bool lit)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, design::colour(lit ? d.hover : d.back));
    if (!d.fore.isDefault())
        palette.setColor(QPalette::WindowText, design::colour(d.fore));
    widget->setPalette(palette);
}

}  // namespace

ControlMap::ControlMap(const WindowDesign& design, QWidget* window, Qt::WindowFlags flags)
    : design_(design), window_(window)
{
    setUpWindow(flags);
    for (int rank : {0, 1, 2})
        for (auto c = design_.controls.rbegin(); c != design_.controls.rend(); ++c)
            if (stackRank(*c) == rank)
                widgets_.emplace_back(c->id, create(*c));
    applyTabOrder();
}

void ControlMap::setUpWindow(Qt::WindowFlags flags)
{
    window_->setObjectName(text(design_.name));
    window_->setWindowTitle(text(design_.caption));
    window_->setWindowIcon(design_.icon == WindowIcon::OtherWindow ? artwork::otherWindowIcon()
                                                                   : artwork::applicationIcon());
    window_->setWindowFlags(flags);
    window_->setFont(design::font(design_.font));
    window_->setFixedSize(pixels(design_.clientWidth), pixels(design_.clientHeight));
    if (design_.centredOnScreen) {
        const QRect screen = window_->screen()->availableGeometry();
        window_->move(screen.center() - QPoint(window_->width() / 2, window_->height() / 2));
    }
}

// Buttons keep their design size; check and option buttons grow to their
// text where the installed font needs more room than the design font did.
QWidget* ControlMap::create(const ControlDesign& d)
{
    QWidget* parent = d.parent ? widget(*d.parent) : window_;
    const QRect place = design::pixelRect(d.rect);
    QWidget* w = nullptr;
    switch (d.role) {
    case Role::Button: {
        auto* button = new QPushButton(text(d.caption), parent);
        button->setAutoDefault(false);
        w = button;
        break;
    }
    case Role::CheckBox: w = new QCheckBox(text(d.caption), parent); break;
    case Role::OptionButton: w = new QRadioButton(text(d.caption), parent); break;
    case Role::Frame: w = new QGroupBox(text(d.caption), parent); break;
    case Role::TextBox: w = new QLineEdit(text(d.caption), parent); break;
    case Role::Label: return createLabel(d, parent);
    case Role::Image: return createImage(d, parent);
    case Role::Line: {
        // A rule of the design's thickness in the window's text colour.
        w = new QFrame(parent);
        w->setAutoFillBackground(true);
        QPalette palette = w->palette();
        palette.setColor(QPalette::Window, palette.color(QPalette::WindowText));
        w->setPalette(palette);
        w->setGeometry(place.x(), place.y(), place.width(), d.lineWidth);
        break;
    }
    }
    applyCommon(w, d);
    if (auto* button = qobject_cast<QAbstractButton*>(w); button && button->isCheckable()) {
        button->setChecked(d.checked);
        button->setGeometry(design::grown(place, button->sizeHint()));
    } else if (d.role != Role::Line) {
        w->setGeometry(place);
    }
    return w;
}

// Every label keeps a fixed size, its room grown to its text: a label whose
// size may change asks its window for a layout pass at every new text,
// which at a line number per line would cost more than the run itself.
QWidget* ControlMap::createLabel(const ControlDesign& d, QWidget* parent)
{
    QLabel* label = nullptr;
    if (d.id == Control::StatusLineNumber)
        label = new LineNumberLabel(text(d.caption), parent);
    else
        label = new ClickLabel(d.wraps ? wrappedText(d) : text(d.caption), parent);
    applyCommon(label, d);
    if (d.border)
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment((d.align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft)
                        | (d.font.underline ? Qt::AlignTop : Qt::AlignVCenter));
    const QRect place = design::pixelRect(d.textRoom());
    if (d.wraps) {
        // Grown around its design centre to hold its lines.
        label->setTextFormat(Qt::RichText);
        label->setWordWrap(true);
        label->setGeometry(
            design::grown(place, QSize(place.width(), label->heightForWidth(place.width()))));
    } else if (d.font.underline) {
        // The design font has almost no descent, so a label of the text's
        // height would cut off the underline: links get room below it.
        const QFontMetrics metrics(label->font());
        const QSize hint = label->sizeHint();
        const int height = metrics.ascent() + metrics.underlinePos() + metrics.lineWidth() + 2;
        label->setGeometry(QRect(place.topLeft(), QSize(hint.width(), std::max(hint.height(), height))));
    } else if (d.autoSize) {
        label->setGeometry(design::grown(place, label->sizeHint()));
    } else {
        // At its design top: as wide as its text where the installed font
        // is wider, and no taller than its design or its text.
        const QSize hint = label->sizeHint();
        label->setGeometry(QRect(place.topLeft(), QSize(std::max(place.width(), hint.width()),
                                                        std::min(place.height(), hint.height()))));
    }
    label->setFixedSize(label->size());
    if (!d.back.isDefault()) {
        label->setAutoFillBackground(true);
        paintBackground(label, d, false);
    }
    return label;
}

// The books picture, or a sunken box that other controls lie on.
QWidget* ControlMap::createImage(const ControlDesign& d, QWidget* parent)
{
    QFrame* image = nullptr;
    if (d.id == Control::Picture) {
        auto* picture = new QLabel(parent);
        picture->setPixmap(artwork::applicationPicture());
        picture->setScaledContents(true);
        image = picture;
    } else {
        image = new QFrame(parent);
    }
    if (d.border)
        image->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    applyCommon(image, d);
    image->setGeometry(design::pixelRect(d.rect));
    return image;
}

QWidget* ControlMap::widget(Control id) const
{
    for (const auto& [control, w] : widgets_)
        if (control == id)
            return w;
    throw std::logic_error("no widget for a control of " + std::string(design_.name));
}

std::optional<Control> ControlMap::idOf(const QObject* widget) const
{
    for (const auto& [id, w] : widgets_)
        if (w == widget)
            return id;
    return std::nullopt;
}

void ControlMap::onClicked(const std::function<void(Control)>& report) const
{
    for (const auto& [id, w] : widgets_) {
        const auto click = [report, id = id] { report(id); };
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            QObject::connect(button, &QAbstractButton::clicked, window_, click);
        else if (auto* label = qobject_cast<ClickLabel*>(w))
            QObject::connect(label, &ClickLabel::clicked, window_, click);
    }
}

// Focus in the design's tab order; the other controls take none. The first
// control in the order gets the focus.
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
    paintBackground(widget(id), design(id), lit);
}

}  // namespace corvel
