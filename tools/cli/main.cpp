#include "commands.h"

#include "common/installlayout.h"

#include <QGuiApplication>
#include <QTextStream>

namespace {

// One entry per command: its name, what runs it and its help. The help is
// also the source of the manual page (help2man), so it is written out in
// full: blank lines part the synopsis, the description and the options.
struct Command
{
    const char *name;
    int (*run)(const QStringList &arguments);
    const char *summary;
    const char *synopsis;
    const char *description;
    const char *options;
};

const Command commands[] = {
    {"gcode", runGcodeCommand, "turn a design or a drawing into a G-code job",
     "plimb-cli gcode DESIGN.svg|DRAWING.dxf|DRAWING.plt -o JOB.gc [OPTION]...\n",
     "Generates the job the program's Save G-code writes for the design, with the\n"
     "default engraving parameters and full-scale power and speed the program has\n"
     "stored. A DXF or PLT drawing is placed as the program's Open places it.\n"
     "Prints the number of records, raster groups and outlines and the estimated\n"
     "engraving time.\n",
     "  -o, --output JOB.gc  the G-code file to write (required)\n"
     "  --power S            the S value that stands for 100 % laser power\n"
     "  --speed F            the F value that stands for 100 % speed\n"
     "  --unit UNIT          the unit of a DXF or PLT drawing: mm, cm, in, plotter\n"
     "                       or design (default: what the file declares)\n"
     "  --true-size          engrave an SVG at the size its root element gives\n"
     "  --preview PNG        also draw the job into a PNG picture\n"
     "  --verbose            show the generator's diagnostic messages\n"},
    {"preview", runPreviewCommand, "draw a G-code job into a picture",
     "plimb-cli preview JOB.gc -o JOB.png [--width PX]\n",
     "Draws the job's moves as the program's preview shows them.\n",
     "  -o, --output JOB.png  the PNG picture to write (required)\n"
     "  --width PX            the picture's width in pixels, 16 to 20000\n"
     "                        (default 1000)\n"},
    {"send", runSendCommand, "send a G-code job to the engraver",
     "plimb-cli send JOB.gc [--port NAME|PATH|tcp://HOST:PORT] [--timeout SECONDS]\n"
     "               [--verbose] [--resume-row N | --resume-outline K]\n",
     "Finds the engraver on the serial ports (or connects to the named port or\n"
     "network address), streams the job to it and waits for\n"
     "the end of the program, with a progress bar. A job cut off by a lost link\n"
     "names the row or outline it can be taken up at. Exit status: 0 done,\n"
     "2 usage error, 3 no engraver found, 4 link lost, 5 timed out, 6 unreadable\n"
     "job.\n",
     "  --port NAME          try only this serial port (e.g. /dev/ttyUSB0, or a path\n"
     "                       the system does not list), or tcp://HOST:PORT for a\n"
     "                       board on the network (e.g. tcp://192.168.4.1:23)\n"
     "  --timeout SECONDS    give up after this long without an answer (default 60)\n"
     "  --resume-row N       send the job from its raster row N (1 for the first)\n"
     "  --resume-outline K   send the job from its outline K (1 for the first)\n"
     "  --verbose            show the device controller's diagnostic messages\n"},
    {"estimate", runEstimateCommand, "estimate how long a G-code job takes",
     "plimb-cli estimate JOB.gc [--settings FILE]\n",
     "Prints the engraving time, the number of moves, the burning time and\n"
     "distance and the travel distance.\n",
     "  --settings FILE      the engraver's \"$$\" settings as it prints them\n"
     "                       (default: the emulator's machine)\n"},
    {"test-grid", runTestGridCommand, "make a material test grid design",
     "plimb-cli test-grid -o GRID.svg [--axes PAIR] [--rows FROM:TO:COUNT]\n"
     "               [--columns FROM:TO:COUNT] [OPTION]...\n",
     "Writes a design of cells whose engraving parameters step over rows and\n"
     "columns, with labels and an optional cut frame, to find the power and speed\n"
     "a material wants.\n",
     "  -o, --output GRID.svg  the design to write (required)\n"
     "  --axes PAIR            what rows and columns vary: power-speed, power-passes,\n"
     "                         speed-passes, power-interval or speed-interval\n"
     "  --rows FROM:TO:COUNT   the row values\n"
     "  --columns FROM:TO:COUNT  the column values\n"
     "  --power P, --speed F, --passes N, --interval MM\n"
     "                         the fixed values of the parameters that do not vary\n"
     "  --mode MODE            fill, outline or picture\n"
     "  --cell MM, --gap MM    the cell size and the gap between cells\n"
     "  --position X,Y         where the grid's top left corner goes\n"
     "  --no-labels            leave the row and column labels out\n"
     "  --label-power P, --label-speed F\n"
     "                         the labels' power and speed\n"
     "  --frame                add an outer cut frame\n"
     "  --frame-power P, --frame-speed F, --frame-passes N\n"
     "                         the frame's power, speed and passes\n"},
};

const Command *findCommand(const QString &name)
{
    for (const Command &command : commands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

bool isHelpOption(const QString &argument)
{
    return argument == QLatin1String("--help") || argument == QLatin1String("-h");
}

void printUsage(QTextStream &out)
{
    out << "Usage: plimb-cli COMMAND [ARGUMENT]...\n"
           "Generates G-code from designs and sends jobs to a GRBL laser engraver\n"
           "without the window.\n"
           "\n"
           "Commands:\n";
    for (const Command &command : commands)
        out << QStringLiteral("  %1 %2\n").arg(QLatin1String(command.name), -10).arg(QLatin1String(command.summary));
    out << "\n"
           "Options:\n"
           "  -h, --help     show this help; after a command, that command's help\n"
           "  -V, --version  show the version\n";
    for (const Command &command : commands)
        out << "\nThe " << command.name << " command:\n  " << command.synopsis << "\n"
            << command.description << "\n" << command.options;
    const QString samples = InstallLayout::samplesFolder();
    if (!samples.isEmpty())
        out << "\nSample designs: " << samples << "\n";
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
    const QString name = arguments.isEmpty() ? QString() : arguments.takeFirst();
    QTextStream out(stdout);
    if (isHelpOption(name)) {
        printUsage(out);
        return 0;
    }
    if (name == QLatin1String("--version") || name == QLatin1String("-V")) {
        out << "plimb-cli " << InstallLayout::version() << "\n";
        return 0;
    }
    if (const Command *command = findCommand(name)) {
        // Asked anywhere among a command's arguments, help wins: the command
        // itself would take it for an unknown option or a file name.
        for (const QString &argument : qAsConst(arguments)) {
            if (isHelpOption(argument)) {
                out << "Usage: " << command->synopsis << "\n" << command->description << "\nOptions:\n"
                    << command->options;
                return 0;
            }
        }
        return command->run(arguments);
    }

    QTextStream err(stderr);
    if (!name.isEmpty())
        err << "plimb-cli: unknown command " << name << "\n\n";
    printUsage(err);
    return 2;
}
