// plimb-cli's help and version: asked for, they go to standard output with
// exit status 0; a wrong command goes to standard error with status 2.
#include "clirun.h"

#include <QtTest>

class TestCliHelp : public QObject
{
    Q_OBJECT
private slots:
    void help_data();
    void help();
    void version();
    void wrongCommand_data();
    void wrongCommand();
};

void TestCliHelp::help_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("usageLine");

    const QString overview = QStringLiteral("Usage: plimb-cli COMMAND [ARGUMENT]...");
    QTest::newRow("--help") << QStringList{"--help"} << overview;
    QTest::newRow("-h") << QStringList{"-h"} << overview;
    for (const char *command : {"gcode", "preview", "send", "estimate"}) {
        const QString name = QString::fromLatin1(command);
        QTest::newRow(qPrintable(name + " --help"))
                << QStringList{name, "--help"} << QStringLiteral("Usage: plimb-cli %1 ").arg(name);
    }
    // Help wins over whatever else is on the line, even a missing file or a
    // wrong option, which would otherwise be an error.
    QTest::newRow("after a file") << QStringList{"gcode", "missing.svg", "-h"}
                                  << QStringLiteral("Usage: plimb-cli gcode ");
    QTest::newRow("after a bad option") << QStringList{"send", "--bogus", "--help"}
                                        << QStringLiteral("Usage: plimb-cli send ");
}

void TestCliHelp::help()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, usageLine);

    const CliRun::Result result = CliRun::run(arguments);
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.out.startsWith(usageLine), qPrintable(result.out));
    QVERIFY2(!result.err.contains(QStringLiteral("plimb-cli")), qPrintable(result.err));
}

void TestCliHelp::version()
{
    for (const QString &option : {QStringLiteral("--version"), QStringLiteral("-V")}) {
        const CliRun::Result result = CliRun::run({option});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QStringLiteral("plimb-cli " PLIMB_VERSION "\n"));
    }
}

void TestCliHelp::wrongCommand_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("problem");

    QTest::newRow("none") << QStringList() << QString();
    QTest::newRow("unknown") << QStringList{"engrave", "--help"}
                             << QStringLiteral("plimb-cli: unknown command engrave\n");
}

void TestCliHelp::wrongCommand()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, problem);

    const CliRun::Result result = CliRun::run(arguments);
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(result.out, QString());
    QVERIFY2(result.err.contains(problem), qPrintable(result.err));
    QVERIFY2(result.err.contains(QStringLiteral("Usage: plimb-cli COMMAND")), qPrintable(result.err));
}

QTEST_GUILESS_MAIN(TestCliHelp)
#include "tst_clihelp.moc"
