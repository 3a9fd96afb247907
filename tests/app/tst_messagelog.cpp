#include "common/messagelog.h"
#include "common/userdata.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

class TestMessageLog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void lineFormat_data();
    void lineFormat();
    void thresholdTable_data();
    void thresholdTable();
    void truncatedAtEachStart();
    void otherThreadCarriesItsId();
    void unwritableLogCallsWarningHook();

private:
    QStringList logLines() const;
    QTemporaryDir mDir;
};

void TestMessageLog::init()
{
    QVERIFY(mDir.isValid());
    MessageLog::setLogFilePath(mDir.filePath(QStringLiteral("logInfo.txt")));
    MessageLog::truncateLogFile();
    MessageLog::setThreshold(MessageLog::shippedThreshold);
    MessageLog::setOpenFailureHook({});
    MessageLog::install();
}

void TestMessageLog::cleanup()
{
    qInstallMessageHandler(nullptr);
}

QStringList TestMessageLog::logLines() const
{
    QFile file(MessageLog::logFilePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void TestMessageLog::lineFormat_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("expected");

    QTest::newRow("debug with context")
            << int(QtDebugMsg) << "svgview.cpp" << 42 << "void SVGView::openFile()" << "default"
            << "[2026.01.02 03:04:05.006] <77> Debug (default) | svgview.cpp:42 (void SVGView::openFile()) 'new lower'";
    // Release builds carry no context: the empty strings and line 0 stay in place.
    QTest::newRow("warning without context")
            << int(QtWarningMsg) << QString() << 0 << QString() << QString()
            << "[2026.01.02 03:04:05.006] <77> Warning () | :0 () 'new lower'";
    QTest::newRow("critical") << int(QtCriticalMsg) << "a.cpp" << 1 << "f" << "c"
                              << "[2026.01.02 03:04:05.006] <77> Critical (c) | a.cpp:1 (f) 'new lower'";
    QTest::newRow("info") << int(QtInfoMsg) << "a.cpp" << 1 << "f" << "c"
                          << "[2026.01.02 03:04:05.006] <77> Info (c) | a.cpp:1 (f) 'new lower'";
}

void TestMessageLog::lineFormat()
{
    QFETCH(int, type);
    QFETCH(QString, file);
    QFETCH(int, line);
    QFETCH(QString, function);
    QFETCH(QString, category);
    QFETCH(QString, expected);

    const QByteArray fileBytes = file.toUtf8();
    const QByteArray functionBytes = function.toUtf8();
    const QByteArray categoryBytes = category.toUtf8();
    const QMessageLogContext context(file.isNull() ? nullptr : fileBytes.constData(), line,
                                     function.isNull() ? nullptr : functionBytes.constData(),
                                     category.isNull() ? nullptr : categoryBytes.constData());
    QCOMPARE(MessageLog::formatLine(QtMsgType(type), context, QStringLiteral("new lower"),
                                    QStringLiteral("2026.01.02 03:04:05.006"), 77),
             expected);
}

void TestMessageLog::thresholdTable_data()
{
    QTest::addColumn<int>("threshold");
    QTest::addColumn<QList<int>>("written");

    const int d = QtDebugMsg, w = QtWarningMsg, c = QtCriticalMsg, i = QtInfoMsg, f = QtFatalMsg;
    QTest::newRow("0 none") << 0 << QList<int>{};
    QTest::newRow("1 fatal") << 1 << QList<int>{f};
    QTest::newRow("2 critical") << 2 << QList<int>{c, f};
    QTest::newRow("3 warning") << 3 << QList<int>{w, c, f};
    QTest::newRow("4 all but debug") << 4 << QList<int>{i, w, c, f};
    QTest::newRow("5 all") << 5 << QList<int>{d, i, w, c, f};
}

void TestMessageLog::thresholdTable()
{
    QFETCH(int, threshold);
    QFETCH(QList<int>, written);

    for (int type : {int(QtDebugMsg), int(QtInfoMsg), int(QtWarningMsg), int(QtCriticalMsg), int(QtFatalMsg)})
        QCOMPARE(MessageLog::passesThreshold(QtMsgType(type), threshold), written.contains(type));

    // The handler itself honours the threshold.
    MessageLog::setThreshold(threshold);
    qDebug() << "debug line";
    qWarning() << "warning line";
    const QStringList lines = logLines();
    QCOMPARE(lines.size(), int(written.contains(QtDebugMsg)) + int(written.contains(QtWarningMsg)));
}

void TestMessageLog::truncatedAtEachStart()
{
    qDebug() << "first run";
    QCOMPARE(logLines().size(), 1);
    MessageLog::truncateLogFile();
    qDebug() << "second run";
    const QStringList lines = logLines();
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines.first().endsWith(QStringLiteral("'second run'")));
}

void TestMessageLog::otherThreadCarriesItsId()
{
    quintptr workerId = 0;
    QThread *worker = QThread::create([&workerId] {
        workerId = reinterpret_cast<quintptr>(QThread::currentThreadId());
        qDebug() << "from the device thread";
    });
    worker->start();
    QVERIFY(worker->wait(5000));
    delete worker;

    const QStringList lines = logLines();
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines.first().contains(QStringLiteral("> Debug")));
    QVERIFY2(lines.first().contains(QStringLiteral("] <%1> ").arg(workerId)), qPrintable(lines.first()));
    QVERIFY(workerId != reinterpret_cast<quintptr>(QThread::currentThreadId()));
}

void TestMessageLog::unwritableLogCallsWarningHook()
{
    const QString path = mDir.filePath(QStringLiteral("missing-folder/logInfo.txt"));
    MessageLog::setLogFilePath(path);
    QStringList warnings;
    MessageLog::setOpenFailureHook([&warnings](const QString &text) { warnings << text; });

    qDebug() << "lost";
    qDebug() << "lost again";

    QCOMPARE(warnings.size(), 2);
    QVERIFY(warnings.first().endsWith(path));
    QVERIFY(warnings.first().size() > path.size()); // the error string comes first
    QVERIFY(!QFile::exists(path));
}

QTEST_GUILESS_MAIN(TestMessageLog)
#include "tst_messagelog.moc"
