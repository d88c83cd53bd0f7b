// The about window: which clicks close it, the mail and home-page actions.
#include "aboutwindow.h"
#include "uitest.h"
#include "version.h"

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

    void clicksThatClose_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("closes");
        QTest::newRow("background") << QString() << true;
        QTest::newRow("free software") << "Label1" << true;
        QTest::newRow("suggestions") << "Label2" << true;
        QTest::newRow("product name") << "lblcap" << true;
        QTest::newRow("author") << "lblauthor" << false;
        QTest::newRow("version") << "Label3" << false;
        QTest::newRow("picture") << "Image1" << false;
        QTest::newRow("e-mail") << "lblemail" << false;
        QTest::newRow("home page") << "lblnet" << false;
    }

    void clicksThatClose()
    {
        QFETCH(QString, target);
        QFETCH(bool, closes);
        if (target.isEmpty()) {
            QTest::mouseClick(about_.get(), Qt::LeftButton, {}, QPoint(4, 4));
        } else {
            auto* label = about_->findChild<QLabel*>(target);
            QVERIFY(label);
            QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(2, 2));
        }
        QCOMPARE(about_->isVisible(), !closes);
    }

    void mailStartsMessageToContact()
    {
        QTest::mouseClick(about_->findChild<QLabel*>("lblemail"), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(urls_.opened.size(), 1);
        QCOMPARE(urls_.opened[0].scheme(), QStringLiteral("mailto"));
        // The address shown is the address written to.
        QVERIFY(about_->findChild<QLabel*>("lblemail")->text().endsWith(urls_.opened[0].path()));
    }

    void everyHomePageClickOpensABrowser()
    {
        auto* net = about_->findChild<QLabel*>("lblnet");
        QTest::mouseClick(net, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseClick(net, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(urls_.opened.size(), 2);
        QCOMPARE(urls_.opened[1].toString(), net->text());
        QVERIFY(about_->isVisible());
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

    void versionAndNoKeys()
    {
        // "Version 0.2" for the version 0.2.0
        QCOMPARE(about_->findChild<QLabel*>("Label3")->text(),
                 QStringLiteral("Version ") + QString::fromUtf8(version::kShort));
        QCOMPARE(about_->findChild<QLabel*>("lblcap")->text(), QStringLiteral("Corvel"));
        QTest::keyClick(about_.get(), Qt::Key_Escape);  // handles no keys
        QVERIFY(about_->isVisible());
    }

private:
    UrlRecorder urls_;
    std::unique_ptr<AboutWindow> about_;
};

QTEST_MAIN(AboutWindowTest)
#include "aboutwindow_test.moc"
