#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QtTest>

// A real FTP server (Debian's python3-pyftpdlib) on 127.0.0.1 and a free
// port, serving one folder with the update account. scripts/deps.sh installs
// the package.
class LoopbackFtpServer
{
public:
    explicit LoopbackFtpServer(const QString &root);
    ~LoopbackFtpServer();

    // Empty when the server listens (at once when it already does), else why
    // it does not.
    QString start();
    bool moduleMissing() const { return mModuleMissing; }
    quint16 port() const { return mPort; }
    // "127.0.0.1:port", the form of PLIMB_UPDATE_SERVER.
    QString address() const;
    // The server's session log so far (logins, transfers).
    QByteArray log();

private:
    QString mRoot;
    QProcess mProcess;
    QByteArray mLog;
    quint16 mPort = 0;
    bool mModuleMissing = false;
};

// Starts `server` unless it runs, or ends the test function: a missing pyftpdlib skips loudly on a
// developer's machine and fails under CI, where scripts/deps.sh installs it.
#define PLIMB_START_FTP_SERVER(server)                                                           \
    do {                                                                                         \
        const QString why = (server).start();                                                    \
        if (!why.isEmpty()) {                                                                    \
            if ((server).moduleMissing() && !qEnvironmentVariableIsSet("CI")) {                  \
                qWarning("*** python3-pyftpdlib is missing: the FTP tests did NOT run. "         \
                         "Install it with scripts/deps.sh. ***");                                \
                QSKIP("python3-pyftpdlib is missing (scripts/deps.sh installs it)");             \
            }                                                                                    \
            QFAIL(qPrintable(why));                                                              \
        }                                                                                        \
    } while (false)
