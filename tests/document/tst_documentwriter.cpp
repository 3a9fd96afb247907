#include "common/userdata.h"
#include "document/documenttemplate.h"
#include "document/documentwriter.h"

#include <QDomDocument>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

class TestDocumentWriter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fillsTemplate();
    void serialisesWithIndentTwo();
    void savesUtf8AndLogsLatin1();
    void logCopyReplacesPreviousCopy();
    void failedSaveKeepsPreviousFile_data();
    void failedSaveKeepsPreviousFile();
    void interruptedSaveKeepsPreviousFile();
    void textOutlineStyleCarriesFill();

private:
    static QByteArray readAll(const QString &path);
};

QByteArray TestDocumentWriter::readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void TestDocumentWriter::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestDocumentWriter::fillsTemplate()
{
    QCOMPARE(newDocumentText(),
             QStringLiteral(
                     "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink'\n"
                     " xmlns:tolvenrik='urn:tolvenrik'\n"
                     " width='2000' height='2700' version='1.2' baseProfile='tiny'>\n"
                     "<g tolvenrik:label='label 1'>/n</g>  <!-- Created with Plimb Ostrafel (0.04) -->\n"
                     "</svg>"));
}

void TestDocumentWriter::serialisesWithIndentTwo()
{
    QDomDocument document;
    QVERIFY(document.setContent(newDocumentText(), false));
    const QString text = toSvgText(document);

    QVERIFY2(text.startsWith(QLatin1String("<svg ")), qPrintable(text));
    QVERIFY(!text.contains(QLatin1String("<?xml")));
    QVERIFY(text.contains(QLatin1String("\n  <g tolvenrik:label=\"label 1\">/n</g>\n")));
    QVERIFY(text.contains(QLatin1String("\n  <!-- Created with Plimb Ostrafel (0.04) -->\n")));
    QVERIFY(text.contains(QLatin1String("xmlns:tolvenrik=\"urn:tolvenrik\"")));
    QVERIFY(text.contains(QLatin1String("width=\"2000\"")));

    // Read back, the text gives the same text again.
    QDomDocument reread;
    QVERIFY(reread.setContent(text, false));
    QCOMPARE(toSvgText(reread), text);
}

void TestDocumentWriter::savesUtf8AndLogsLatin1()
{
    QDomDocument document;
    QVERIFY(document.setContent(newDocumentText(), false));
    QDomElement text = document.createElement(QStringLiteral("text"));
    text.appendChild(document.createTextNode(QStringLiteral("激光 café")));
    text.setAttribute(QStringLiteral("inkscape:label"), QStringLiteral("kept"));
    document.documentElement().firstChildElement(QStringLiteral("g")).appendChild(text);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("design.svg"));
    QVERIFY(writeDesign(document, path));

    const QByteArray saved = readAll(path);
    QCOMPARE(QString::fromUtf8(saved), toSvgText(document));
    QDomDocument reloaded;
    QVERIFY(reloaded.setContent(QString::fromUtf8(saved), false));
    const QDomElement reloadedText = reloaded.documentElement().firstChildElement(QStringLiteral("g"))
                                             .firstChildElement(QStringLiteral("text"));
    QCOMPARE(reloadedText.text(), QStringLiteral("激光 café"));
    QCOMPARE(reloadedText.attribute(QStringLiteral("inkscape:label")), QStringLiteral("kept"));

    // The log copy is Latin-1: the Chinese characters become "?", é stays one byte.
    const QString logPath = writeLogSvg(toSvgText(document));
    QCOMPARE(logPath, userDataFolder() + QStringLiteral("/log.svg"));
    const QByteArray log = readAll(logPath);
    QVERIFY(log.contains(QByteArray("?? caf\xe9")));
    QCOMPARE(QString::fromLatin1(log), QString(toSvgText(document)).replace(QStringLiteral("激光"), QStringLiteral("??")));
}

void TestDocumentWriter::logCopyReplacesPreviousCopy()
{
    writeLogSvg(QStringLiteral("<svg>a much longer first copy</svg>"));
    const QString path = writeLogSvg(QStringLiteral("<svg/>"));
    QCOMPARE(readAll(path), QByteArray("<svg/>"));
}

void TestDocumentWriter::failedSaveKeepsPreviousFile_data()
{
    QTest::addColumn<QString>("target");

    QTest::newRow("folder missing") << "missing/design.svg";
    QTest::newRow("target is a folder") << "folder";
}

void TestDocumentWriter::failedSaveKeepsPreviousFile()
{
    QFETCH(QString, target);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QString path = dir.filePath(target);
    QVERIFY(!writeDesign(QStringLiteral("<svg/>"), path));
    QCOMPARE(QFileInfo(dir.filePath(QStringLiteral("folder"))).isDir(), true);
    QVERIFY(!QFileInfo(dir.filePath(QStringLiteral("missing"))).exists());
}

// Writing the old way (truncate, then write) left a cut-off design when the
// disk filled up mid-save; the previous file must survive instead.
void TestDocumentWriter::interruptedSaveKeepsPreviousFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("design.svg"));
    const QString previous = QStringLiteral("<svg><g/></svg>");
    QVERIFY(writeDesign(previous, path));

    // A file size limit makes the write fail part way, even for root.
    struct rlimit old;
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = writeDesign(QString(100000, QLatin1Char('x')), path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!written);
    QCOMPARE(readAll(path), previous.toUtf8());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{ QStringLiteral("design.svg") });
}

void TestDocumentWriter::textOutlineStyleCarriesFill()
{
    QCOMPARE(ElementStyles::textOutline(QStringLiteral("#80000000")),
             QStringLiteral("fill:#80000000;stroke:#000000;stroke-width:0.26px;stroke-linecap:butt;"
                            "stroke-linejoin:miter;stroke-opacity:1"));
}

QTEST_GUILESS_MAIN(TestDocumentWriter)
#include "tst_documentwriter.moc"
