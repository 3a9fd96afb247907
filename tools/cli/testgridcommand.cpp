#include "commands.h"

#include "document/defaultparameters.h"
#include "document/documentwriter.h"
#include "material/testgrid.h"

#include <QTextStream>

namespace {

const char usageText[] =
        "usage: plimb-cli test-grid -o GRID.svg [--axes power-speed|power-passes|speed-passes|\n"
        "                           power-interval|speed-interval] [--rows FROM:TO:COUNT]\n"
        "                           [--columns FROM:TO:COUNT] [--power P] [--speed F] [--passes N]\n"
        "                           [--interval MM] [--mode fill|outline|picture] [--cell MM]\n"
        "                           [--gap MM] [--position X,Y] [--no-labels] [--label-power P]\n"
        "                           [--label-speed F] [--frame] [--frame-power P] [--frame-speed F]\n"
        "                           [--frame-passes N]\n";

int usage(const QString &problem)
{
    QTextStream(stderr) << "plimb-cli test-grid: " << problem << "\n" << usageText;
    return 2;
}

bool readNumber(const QString &text, double *value)
{
    bool ok = false;
    *value = text.toDouble(&ok);
    return ok && qIsFinite(*value);
}

bool readRange(const QString &text, TestGrid::Range *range)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 3)
        return false;
    bool ok = false;
    const int count = parts.at(2).toInt(&ok);
    if (!ok || !readNumber(parts.at(0), &range->from) || !readNumber(parts.at(1), &range->to))
        return false;
    range->count = count;
    return true;
}

bool parseTestGridArguments(const QStringList &arguments, TestGrid::Settings *settings, QString *output,
                            QString *problem)
{
    TestGrid::Settings &s = *settings;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--no-labels")) {
            s.labels = false;
            continue;
        }
        if (argument == QLatin1String("--frame")) {
            s.frame = true;
            continue;
        }
        if (!argument.startsWith(QLatin1Char('-'))) {
            *problem = QStringLiteral("unexpected argument %1").arg(argument);
            return false;
        }
        if (i + 1 >= arguments.size()) {
            *problem = QStringLiteral("%1 needs a value").arg(argument);
            return false;
        }
        const QString value = arguments.at(++i);
        const auto bad = [&](const QString &expected) {
            *problem = QStringLiteral("%1 must be %2, not \"%3\"").arg(argument, expected, value);
            return false;
        };
        double number = 0;
        const bool isNumber = readNumber(value, &number);
        if (argument == QLatin1String("-o") || argument == QLatin1String("--output")) {
            *output = value;
        } else if (argument == QLatin1String("--axes")) {
            if (!TestGrid::axesFromName(value, &s.axes))
                return bad(QStringLiteral("power-speed, power-passes, speed-passes, power-interval or "
                                          "speed-interval"));
        } else if (argument == QLatin1String("--mode")) {
            if (!TestGrid::modeFromName(value, &s.mode))
                return bad(QStringLiteral("fill, outline or picture"));
        } else if (argument == QLatin1String("--rows") || argument == QLatin1String("--columns")) {
            if (!readRange(value, argument == QLatin1String("--rows") ? &s.rows : &s.columns))
                return bad(QStringLiteral("FROM:TO:COUNT"));
        } else if (argument == QLatin1String("--position")) {
            const QStringList xy = value.split(QLatin1Char(','));
            if (xy.size() != 2 || !readNumber(xy.at(0), &s.left) || !readNumber(xy.at(1), &s.top))
                return bad(QStringLiteral("X,Y in mm"));
        } else if (!isNumber) {
            if (argument == QLatin1String("--power") || argument == QLatin1String("--speed")
                || argument == QLatin1String("--passes") || argument == QLatin1String("--interval")
                || argument == QLatin1String("--cell") || argument == QLatin1String("--gap")
                || argument.startsWith(QLatin1String("--label-"))
                || argument.startsWith(QLatin1String("--frame-")))
                return bad(QStringLiteral("a number"));
            *problem = QStringLiteral("unknown option %1").arg(argument);
            return false;
        } else if (argument == QLatin1String("--power")) {
            s.power = number;
        } else if (argument == QLatin1String("--speed")) {
            s.speed = number;
        } else if (argument == QLatin1String("--passes")) {
            s.passes = int(number);
        } else if (argument == QLatin1String("--interval")) {
            s.lineInterval = number;
        } else if (argument == QLatin1String("--cell")) {
            s.cellSize = number;
        } else if (argument == QLatin1String("--gap")) {
            s.gap = number;
        } else if (argument == QLatin1String("--label-power")) {
            s.labelPower = number;
        } else if (argument == QLatin1String("--label-speed")) {
            s.labelSpeed = number;
        } else if (argument == QLatin1String("--frame-power")) {
            s.framePower = number;
        } else if (argument == QLatin1String("--frame-speed")) {
            s.frameSpeed = number;
        } else if (argument == QLatin1String("--frame-passes")) {
            s.framePasses = int(number);
        } else {
            *problem = QStringLiteral("unknown option %1").arg(argument);
            return false;
        }
    }
    if (output->isEmpty()) {
        *problem = QStringLiteral("no output file given (-o GRID.svg)");
        return false;
    }
    const QString wrong = TestGrid::problem(s);
    if (!wrong.isEmpty()) {
        *problem = wrong;
        return false;
    }
    return true;
}

} // namespace

int runTestGridCommand(const QStringList &arguments)
{
    TestGrid::Settings settings;
    // The program's grid takes the panel's default set; so does this one.
    settings.defaults = StoredDefaults::load().defaultParameters();
    QString output;
    QString problem;
    if (!parseTestGridArguments(arguments, &settings, &output, &problem))
        return usage(problem);
    if (!writeDesign(TestGrid::designText(settings), output)) {
        QTextStream(stderr) << "plimb-cli test-grid: cannot write " << output << "\n";
        return 1;
    }
    const QRectF bounds = TestGrid::bounds(settings);
    QTextStream(stdout) << QStringLiteral("%1: %2 x %3 cells, %4 x %5 mm\n")
                                   .arg(output)
                                   .arg(settings.rows.count)
                                   .arg(settings.columns.count)
                                   .arg(bounds.width(), 0, 'f', 1)
                                   .arg(bounds.height(), 0, 'f', 1);
    return 0;
}
