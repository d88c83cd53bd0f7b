// Every control of the three design tables in its Qt window: it exists,
// with the widget class of its role, in its parent, at its design place,
// with its caption, font, colours, hint, pointer, focus and initial state.
#include "aboutwindow.h"
#include "checkwindow.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextDocumentFragment>

#include <memory>
#include <set>

using namespace corvel;

Q_DECLARE_METATYPE(corvel::WindowKind)

namespace {

QString qt(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

QRect pixelRect(const TwipRect& r)
{
    return QRect(pixels(r.left), pixels(r.top), pixels(r.width), pixels(r.height));
}

// The controls the opening rule of a window disables although the design
// enables them: Check until a file is chosen, and the boxes of the mode not
// selected.
const std::set<std::pair<WindowKind, Control>> kDisabledOnOpening {
    {WindowKind::Main, Control::CheckButton},
    {WindowKind::Main, Control::DeleteEmptyBox},
    {WindowKind::Main, Control::DeleteErroneousBox},
    {WindowKind::Main, Control::DeleteUntranslatedBox},
};

bool classFits(Role role, const QWidget* w)
{
    switch (role) {
    case Role::Button: return qobject_cast<const QPushButton*>(w);
    case Role::CheckBox: return qobject_cast<const QCheckBox*>(w);
    case Role::OptionButton: return qobject_cast<const QRadioButton*>(w);
    case Role::Frame: return qobject_cast<const QGroupBox*>(w);
    case Role::TextBox: return qobject_cast<const QLineEdit*>(w);
    case Role::Label: return qobject_cast<const QLabel*>(w);
    case Role::Image:
    case Role::Line: return qobject_cast<const QFrame*>(w);
    }
    return false;
}

// The text a widget shows, markup and access-key markers aside.
QString shownText(const QWidget* w)
{
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->textFormat() != Qt::RichText)
            return label->text();
        return QTextDocumentFragment::fromHtml(label->text()).toPlainText().replace(QChar(0xA0), u' ');
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        return button->text();
    if (auto* frame = qobject_cast<const QGroupBox*>(w))
        return frame->title();
    if (auto* box = qobject_cast<const QLineEdit*>(w))
        return box->text();
    return {};
}

// Twice the vertical centre, to compare centres in whole pixels.
int doubleCentre(const QRect& r) { return 2 * r.top() + r.height(); }

}  // namespace

class DesignControlsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        test::prepareApplication();
        windows_[WindowKind::Main] = std::make_unique<CheckWindow>(WindowKind::Main);
        windows_[WindowKind::Equals] = std::make_unique<CheckWindow>(WindowKind::Equals);
        windows_[WindowKind::About] = std::make_unique<AboutWindow>(nullptr);
        for (auto& [kind, w] : windows_)
            w->show();
    }

    void cleanupTestCase() { windows_.clear(); }

    void everyControl_data()
    {
        QTest::addColumn<WindowKind>("kind");
        QTest::addColumn<int>("index");
        for (WindowKind kind : {WindowKind::Main, WindowKind::Equals, WindowKind::About}) {
            const WindowDesign& design = windowDesign(kind);
            for (std::size_t i = 0; i < design.controls.size(); ++i)
                QTest::addRow("%s/%s", design.name.data(), design.controls[i].name.data())
                    << kind << int(i);
        }
    }

    void everyControl()
    {
        QFETCH(WindowKind, kind);
        QFETCH(int, index);
        const WindowDesign& window = windowDesign(kind);
        const ControlDesign& d = window.controls[std::size_t(index)];
        QWidget* top = windows_.at(kind).get();
        QWidget* w = top->findChild<QWidget*>(qt(d.name));
        QVERIFY(w);
        QVERIFY(classFits(d.role, w));
        QWidget* parent = d.parent ? top->findChild<QWidget*>(qt(window.control(*d.parent).name)) : top;
        QCOMPARE(w->parentWidget(), parent);

        // The place: fixed-size roles at their design rectangle; check and
        // option buttons and labels grown to their text around their design
        // centre line (links and labels of fixed size from their design top).
        const QRect place = pixelRect(d.role == Role::Label ? d.textRoom() : d.rect);
        const QRect at = w->geometry();
        switch (d.role) {
        case Role::Button:
        case Role::Frame:
        case Role::TextBox:
        case Role::Image: QCOMPARE(at, place); break;
        case Role::Line: QCOMPARE(at, QRect(place.left(), place.top(), place.width(), d.lineWidth)); break;
        case Role::CheckBox:
        case Role::OptionButton:
        case Role::Label: {
            const bool fixedLabel = d.role == Role::Label && !d.autoSize && !d.wraps;
            QCOMPARE(at.left(), place.left());
            QVERIFY(at.width() >= place.width());
            if (!d.wraps)  // the text fits on its line
                QVERIFY(at.width() >= w->sizeHint().width());
            if (d.wraps)  // every line shows
                QVERIFY(at.height() >= w->heightForWidth(at.width()));
            else if (fixedLabel)
                QVERIFY(at.height() <= place.height());
            else
                QVERIFY(at.height() >= w->sizeHint().height());
            if (fixedLabel || d.font.underline)
                QCOMPARE(at.top(), place.top());
            else
                QVERIFY2(qAbs(doubleCentre(at) - doubleCentre(place)) <= 1,
                         qPrintable(QStringLiteral("%1 around %2").arg(at.top()).arg(place.top())));
            break;
        }
        }

        QCOMPARE(shownText(w), qt(d.caption));
        const QFont font = w->font();
        QCOMPARE(font.family(), qt(d.font.face));
        QCOMPARE(font.pointSizeF(), d.font.points);
        QCOMPARE(font.bold(), d.font.bold);
        QCOMPARE(font.italic(), d.font.italic);
        QCOMPARE(font.underline(), d.font.underline);
        // The design families are served by the installed Song and Kai fonts.
        QVERIFY(QFontInfo(font).family().startsWith(
            d.font.face == kKai ? QStringLiteral("AR PL UKai") : QStringLiteral("AR PL UMing")));
        if (d.fore.kind == Colour::Kind::Rgb)
            QCOMPARE(w->palette().color(QPalette::WindowText),
                     QColor(d.fore.red(), d.fore.green(), d.fore.blue()));
        QCOMPARE(w->autoFillBackground(), !d.back.isDefault() || d.role == Role::Line);
        if (!d.hint.empty())
            QCOMPARE(w->toolTip(), qt(d.hint));
        if (d.pointer == Pointer::Default) {
            QVERIFY(w->cursor().shape() != Qt::BitmapCursor);
        } else {
            const QCursor pointer = w->cursor();
            QCOMPARE(pointer.shape(), Qt::BitmapCursor);
            QCOMPARE(pointer.pixmap().size(), QSize(32, 32));
            QCOMPARE(pointer.hotSpot(), d.pointer == Pointer::PointingHand ? QPoint(12, 1) : QPoint(6, 0));
        }

        QCOMPARE(w->focusPolicy() != Qt::NoFocus, d.takesFocus());
        QCOMPARE(w->isEnabled(), d.enabled && !kDisabledOnOpening.contains({kind, d.id}));
        QCOMPARE(w->isVisibleTo(top), d.visible);
        if (auto* button = qobject_cast<QAbstractButton*>(w); button && button->isCheckable())
            QCOMPARE(button->isChecked(), d.checked);
    }

    // The window itself: name, caption, client size; Tab walks the
    // focusable controls by tab index, the first has the focus, and no
    // other widget takes it.
    void windows_data()
    {
        QTest::addColumn<WindowKind>("kind");
        QTest::newRow("frmmain") << WindowKind::Main;
        QTest::newRow("frmother") << WindowKind::Equals;
        QTest::newRow("frmabout") << WindowKind::About;
    }

    void windows()
    {
        QFETCH(WindowKind, kind);
        const WindowDesign& design = windowDesign(kind);
        QWidget* top = windows_.at(kind).get();
        QCOMPARE(top->objectName(), qt(design.name));
        QCOMPARE(top->windowTitle(), qt(design.caption));
        QCOMPARE(top->size(), QSize(pixels(design.clientWidth), pixels(design.clientHeight)));
        QCOMPARE(top->minimumSize(), top->maximumSize());
        QVERIFY(!(top->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(bool(top->windowFlags() & Qt::WindowMinimizeButtonHint), design.minimizeButton);

        const std::vector<const ControlDesign*> order = design.tabOrder();
        QStringList expected, walked;
        for (const ControlDesign* c : order)
            expected << qt(c->name);
        if (!order.empty()) {
            QWidget* w = top->findChild<QWidget*>(expected.front());
            QCOMPARE(top->focusWidget(), w);
            for (qsizetype i = 0; i <= expected.size(); ++i) {  // and round to the first
                walked << w->objectName();
                do
                    w = w->nextInFocusChain();
                while (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(top));
            }
            expected << expected.front();
        }
        QCOMPARE(walked, expected);
        int focusable = 0;
        for (QWidget* w : top->findChildren<QWidget*>())
            focusable += w->focusPolicy() != Qt::NoFocus;
        QCOMPARE(focusable, int(order.size()));
    }

private:
    std::map<WindowKind, std::unique_ptr<QWidget>> windows_;
};

QTEST_MAIN(DesignControlsTest)
#include "designcontrols_test.moc"
