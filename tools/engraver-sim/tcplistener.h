#pragma once

#include <QTcpServer>

// Listens on the loopback interface and hands each accepted connection over
// as a plain descriptor, so the link code that serves the pty serves it too.
class TcpListener : public QTcpServer
{
    Q_OBJECT
public:
    using QTcpServer::QTcpServer;

signals:
    void accepted(int descriptor);

protected:
    void incomingConnection(qintptr handle) override;
};
