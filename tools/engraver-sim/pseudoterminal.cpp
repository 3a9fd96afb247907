#include "pseudoterminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

PseudoTerminal::~PseudoTerminal()
{
    close();
}

bool PseudoTerminal::open(QString *errorText)
{
    close();
    mMaster = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (mMaster < 0) {
        *errorText = systemError("posix_openpt");
        return false;
    }
    char name[128];
    if (::grantpt(mMaster) != 0 || ::unlockpt(mMaster) != 0 || ::ptsname_r(mMaster, name, sizeof name) != 0) {
        *errorText = systemError("pty setup");
        close();
        return false;
    }
    mSlavePath = QString::fromLocal8Bit(name);
    mSlaveKeeper = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (mSlaveKeeper < 0) {
        *errorText = systemError("open slave");
        close();
        return false;
    }

    // Raw mode: no echo, no line editing, no CR/LF translation; the bytes pass
    // exactly as on a real serial line.
    termios tio;
    if (::tcgetattr(mSlaveKeeper, &tio) != 0) {
        *errorText = systemError("tcgetattr");
        close();
        return false;
    }
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B115200);
    ::cfsetospeed(&tio, B115200);
    if (::tcsetattr(mSlaveKeeper, TCSANOW, &tio) != 0) {
        *errorText = systemError("tcsetattr");
        close();
        return false;
    }

    const int flags = ::fcntl(mMaster, F_GETFL);
    ::fcntl(mMaster, F_SETFL, flags | O_NONBLOCK);
    return true;
}

void PseudoTerminal::close()
{
    if (mSlaveKeeper >= 0)
        ::close(mSlaveKeeper);
    if (mMaster >= 0)
        ::close(mMaster);
    mSlaveKeeper = -1;
    mMaster = -1;
}
