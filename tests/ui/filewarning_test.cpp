// The warning after a dictionary is chosen: what the file is and what the
// check will see, in one text; nothing for GBK with CR LF line ends.
#include "file_warning.h"
#include "uitest.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>

using namespace corvel;

namespace {

std::string gbkOpen()
{
    return "\xB4\xF2\xBF\xAA";  // 打开
}

}  // namespace

class FileWarningTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::prepareApplication(); }

    void warnsWhatTheCheckWillSee_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("fragments");  // none: no warning
        const QByteArray gbk = QByteArray::fromStdString(gbkOpen());
        QTest::newRow("gbk, CR LF") << QByteArray("Open\r\n" + gbk + "\r\n") << QStringList {};
        QTest::newRow("ascii, lone CRs") << QByteArray("Open\rOK\r") << QStringList {};
        QTest::newRow("utf-8") << QByteArray("Open\r\n打开\r\n")
                               << QStringList {"UTF-8 编码", "乱码"};
        QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBFOpen\r\nOK\r\n")
                                         << QStringList {"UTF-8 编码", "BOM", "第 1 行"};
        QTest::newRow("utf-16") << QByteArray("\xFF\xFEO\0\r\0\n\0", 8)
                                << QStringList {"UTF-16 编码", "没有意义"};
        QTest::newRow("LF only") << QByteArray("Open\n" + gbk + "\n")
                                 << QStringList {"（LF）", "整个文件将被当作 1 行"};
        QTest::newRow("LF lines between CR LF")
            << QByteArray("A\r\n" + gbk + "\r\nB\nC\nD\r\n" + gbk + "\r\n")
            << QStringList {"（LF）", "多行将被合并成一行"};
        QTest::newRow("utf-8 with LF") << QByteArray("Open\n打开\n")
                                       << QStringList {"UTF-8 编码", "\n", "（LF）"};
    }

    void warnsWhatTheCheckWillSee()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, fragments);
        QTemporaryDir dir;
        const std::filesystem::path path = dir.filePath("dict.txt").toStdU16String();
        std::ofstream(path, std::ios::binary).write(bytes.constData(), bytes.size());

        std::optional<std::string> warning = dictionaryWarning(path);
        QCOMPARE(warning.has_value(), !fragments.isEmpty());
        const QString text = QString::fromStdString(warning.value_or(""));
        for (const QString& fragment : fragments)
            QVERIFY2(text.contains(fragment), qPrintable(text));
    }

    void missingFileGetsNoWarning()
    {
        QTemporaryDir dir;
        QVERIFY(!dictionaryWarning(dir.filePath("missing.txt").toStdU16String()));
    }
};

QTEST_MAIN(FileWarningTest)
#include "filewarning_test.moc"
