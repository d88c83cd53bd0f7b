#include "boxanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QLineEdit>

namespace corvel::test {

BoxAnswerer::BoxAnswerer(int timeoutMs)
    : timeoutMs_(timeoutMs)
{
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, &BoxAnswerer::tick);
    timer_.start();
}

void BoxAnswerer::answer(const QString& text, QMessageBox::StandardButton button)
{
    handle(
        [text](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            return box && box->text().contains(text);
        },
        [button](QWidget* w) { static_cast<QMessageBox*>(w)->button(button)->click(); });
}

void BoxAnswerer::choose(const QString& path)
{
    handle([](QWidget* w) { return qobject_cast<QFileDialog*>(w) != nullptr; },
           [path](QWidget* w) {
               auto* dialog = static_cast<QFileDialog*>(w);
               if (path.isEmpty()) {
                   dialog->reject();
                   return;
               }
               // Typed as a user would: selectFile() leaves the name box
               // alone while it has the focus.
               dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
               // Accepted outside this tick: a refusal opens a notice that
               // a later tick must be able to answer.
               QTimer::singleShot(0, dialog, [dialog] { static_cast<QDialog*>(dialog)->accept(); });
           });
}

void BoxAnswerer::handle(std::function<bool(QWidget*)> match, std::function<void(QWidget*)> act)
{
    rules_.push_back({std::move(match), std::move(act)});
}

void BoxAnswerer::once(std::function<bool()> when, std::function<void()> act)
{
    onces_.push_back({std::move(when), std::move(act)});
}

void BoxAnswerer::tick()
{
    for (Once& o : onces_) {
        if (!o.done && o.when()) {
            o.done = true;
            // Run outside this tick: a modal window that the action opens
            // must still be answered by later ticks, and a timer does not
            // fire again while its own handler runs.
            QTimer::singleShot(0, this, o.act);
            return;
        }
    }
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible())
        serve(modal);
}

void BoxAnswerer::serve(QWidget* modal)
{
    if (modal != waiting_) {
        waiting_ = modal;
        waitingSince_ = QDateTime::currentMSecsSinceEpoch();
    }
    auto* box = qobject_cast<QMessageBox*>(modal);
    for (const Rule& rule : rules_) {
        if (rule.match(modal)) {
            if (box)
                seen_ << box->text();
            waiting_ = nullptr;
            rule.act(modal);
            return;
        }
    }
    if (QDateTime::currentMSecsSinceEpoch() - waitingSince_ > timeoutMs_) {
        seen_ << QStringLiteral("UNANSWERED: ") + (box ? box->text() : modal->windowTitle());
        waiting_ = nullptr;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
}

}  // namespace corvel::test
