// Answers the modal windows that a click brings up. A click on a button
// whose handler runs a check returns only when the run is over, so the
// answers come from a repeating timer started before the click: it looks at
// the active modal window, recognises it by its text, and answers. A modal
// window that no rule answers is closed after a time-out, so a test never
// hangs; the test then fails on what it expected to see.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <vector>

class QFileDialog;

namespace corvel::test {

class BoxAnswerer : public QObject {
    Q_OBJECT
public:
    explicit BoxAnswerer(int timeoutMs = 10000);

    // A message box whose text contains `text` is answered with `button`.
    void answer(const QString& text, QMessageBox::StandardButton button);
    // The next file chooser picks `path` (an empty path cancels it).
    void choose(const QString& path);
    // Any modal widget passing `match` is handed to `act`, which closes it.
    void handle(std::function<bool(QWidget*)> match, std::function<void(QWidget*)> act);
    // Runs `act` once, at the first tick when `when` holds (e.g. mid-run).
    void once(std::function<bool()> when, std::function<void()> act);

    // Texts of the message boxes seen, in order; unanswered ones are
    // marked "UNANSWERED: ".
    const QStringList& seen() const { return seen_; }
    QString lastBox() const { return seen_.isEmpty() ? QString() : seen_.last(); }

private:
    struct Rule {
        std::function<bool(QWidget*)> match;
        std::function<void(QWidget*)> act;
    };
    struct Once {
        std::function<bool()> when;
        std::function<void()> act;
        bool done = false;
    };

    void tick();
    void serve(QWidget* modal);

    QTimer timer_;
    std::vector<Rule> rules_;
    std::vector<Once> onces_;
    QStringList seen_;
    QWidget* waiting_ = nullptr;
    qint64 waitingSince_ = 0;
    int timeoutMs_;
};

}  // namespace corvel::test
