#include "tcplistener.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

void TcpListener::incomingConnection(qintptr handle)
{
    const int descriptor = int(handle);
    const int flags = ::fcntl(descriptor, F_GETFL);
    ::fcntl(descriptor, F_SETFL, flags | O_NONBLOCK);
    // Replies are short lines: sent at once, as a board's UART bridge does.
    const int on = 1;
    ::setsockopt(descriptor, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    emit accepted(descriptor);
}
