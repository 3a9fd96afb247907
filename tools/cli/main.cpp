#include "commands.h"

#include <QGuiApplication>
#include <QTextStream>

namespace {

void printUsage(QTextStream &out)
{
    out << "usage:\n"
           "  plimb-cli gcode DESIGN.svg -o JOB.gc [--power S] [--speed F] [--true-size]\n"
           "                  [--preview PNG]\n"
           "  plimb-cli preview JOB.gc -o JOB.png [--width PX]\n"
           "  plimb-cli send JOB.gc [--port NAME] [--timeout SECONDS] [--verbose]\n"
           "                 [--resume-row N | --resume-outline K]\n"
           "  plimb-cli estimate JOB.gc [--settings FILE]\n"
           "  plimb-cli test-grid -o GRID.svg [--axes PAIR] [--rows FROM:TO:COUNT] ...\n";
}

} // namespace

int main(int argc, char *argv[])
{
    // Fonts and SVG rendering need a GUI application, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Text is turned into outlines at its point size; 96 dpi keeps a job
    // independent of whatever screen the platform reports.
    QGuiApplication::setAttribute(Qt::AA_Use96Dpi);
    QGuiApplication app(argc, argv);

    QStringList arguments = QCoreApplication::arguments().mid(1);
    const QString command = arguments.isEmpty() ? QString() : arguments.takeFirst();
    if (command == QLatin1String("gcode"))
        return runGcodeCommand(arguments);
    if (command == QLatin1String("preview"))
        return runPreviewCommand(arguments);
    if (command == QLatin1String("send"))
        return runSendCommand(arguments);
    if (command == QLatin1String("estimate"))
        return runEstimateCommand(arguments);
    if (command == QLatin1String("test-grid"))
        return runTestGridCommand(arguments);

    QTextStream err(stderr);
    printUsage(err);
    return 2;
}
