#include "commands.h"

#include <QTextStream>

int runGcodeCommand(const QStringList &arguments)
{
    Q_UNUSED(arguments)
    QTextStream(stderr) << "plimb-cli gcode: not available in this build\n";
    return 2;
}
