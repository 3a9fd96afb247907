#include "commands.h"

#include <QTextStream>

int runSendCommand(const QStringList &arguments)
{
    Q_UNUSED(arguments)
    QTextStream(stderr) << "plimb-cli send: not available in this build\n";
    return 2;
}
