// The about window: which clicks close it, the mail and home-page actions,
// the links' drawing, and that it takes no keys.
#include "aboutwindow.h"
#include "uitest.h"

#include <QDesktopServices>
#include <QLabel>
#include <QTest>
#include <QUrl>

using namespace corvel;

// Receives the URLs the window asks the desktop to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class AboutWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        test::prepareApplication();
        for (const char* scheme : {"mailto", "http", "https"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &urls_, "open");
    }

    void init()
    {
        urls_.opened.clear();
        about_ = std::make_unique<AboutWindow>(nullptr);
        about_->show();
        QVERIFY(QTest::qWaitForWindowExposed(about_.get()));
    }

    void cleanup() { about_.reset(); }

    // A click on the background or on each label reaches the window: some
    // close it, the two links ask the desktop to open their address, the
    // one shown, at every click.
    void clicks_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("opens");
        QTest::newRow("background") << QString() << true << QString();
        QTest::newRow("free software") << "Label1" << true << QString();
        QTest::newRow("suggestions") << "Label2" << true << QString();
        QTest::newRow("product name") << "lblcap" << true << QString();
        QTest::newRow("author") << "lblauthor" << false << QString();
        QTest::newRow("version") << "Label3" << false << QString();
        QTest::newRow("picture") << "Image1" << false << QString();
        QTest::newRow("e-mail") << "lblemail" << false << "mailto:corvel@example.org";
        QTest::newRow("home page") << "lblnet" << false << "https://example.org/corvel/";
    }

    void clicks()
    {
        QFETCH(QString, target);
        QFETCH(bool, closes);
        QFETCH(QString, opens);
        QWidget* clicked = about_.get();
        QPoint at(4, 4);
        if (!target.isEmpty()) {
            clicked = about_->findChild<QLabel*>(target);
            QVERIFY(clicked);
            at = QPoint(2, 2);
        }
        QTest::mouseClick(clicked, Qt::LeftButton, {}, at);
        QCOMPARE(about_->isVisible(), !closes);
        if (closes)
            return;
        QTest::mouseClick(clicked, Qt::LeftButton, {}, at);
        const QList<QUrl> expected = opens.isEmpty() ? QList<QUrl> {} : QList<QUrl> {opens, opens};
        QCOMPARE(urls_.opened, expected);
        if (!opens.isEmpty())
            QVERIFY(static_cast<QLabel*>(clicked)->text().endsWith(urls_.opened[0].path()));
    }

    // The two links are drawn underlined: one pixel row below the text runs
    // in the text's colour across most of the label.
    void linksAreUnderlined()
    {
        for (const char* name : {"lblemail", "lblnet"}) {
            auto* link = about_->findChild<QLabel*>(name);
            const QImage image = link->grab().toImage();
            const QRgb ink = link->palette().color(QPalette::WindowText).rgb();
            int longest = 0;
            for (int y = 0; y < image.height(); ++y) {
                int run = 0;
                for (int x = 0; x < image.width(); ++x) {
                    run = image.pixel(x, y) == ink ? run + 1 : 0;
                    longest = std::max(longest, run);
                }
            }
            QVERIFY2(longest * 10 >= image.width() * 8, name);
        }
    }

    void handlesNoKeys()
    {
        QTest::keyClick(about_.get(), Qt::Key_Escape);
        QVERIFY(about_->isVisible());
    }

private:
    UrlRecorder urls_;
    std::unique_ptr<AboutWindow> about_;
};

QTEST_MAIN(AboutWindowTest)
#include "aboutwindow_test.moc"
